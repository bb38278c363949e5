#include "storage/journal_table.h"

#include "storage/database_schema.h"
#include "storage/engine_reason.h"
#include "storage/field_values.h"
#include "storage/sql_statement.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <variant>

namespace vorlo::journal_table {

namespace {

using schema::quoted;

struct Column {
    QString name;
    QString type;
};

// The columns, in the order of `Col`.
const std::vector<Column>& columns() {
    static const std::vector<Column> all = {
        {"genre", "TEXT"},                // partie, tour or joueur
        {"partie", "INTEGER"},            // number of the game, from 1
        {"tour", "INTEGER"},              // number of the turn, from 1; 0 for a game
        {"joueur", "TEXT"},               // the player of a turn, or of the next proposal
        {"proposition", "TEXT"},          // the proposal of a turn
        {"base", "TEXT"},                 // the reference of a game, or of a turn's play
        {"result", "TEXT"},               // the found text after the start or the turn
        {"lettres", "TEXT"},              // the remaining letters after it
        {"lettres_trouvées", "INTEGER"},  // letters revealed by the turn; found count shown
        {"nb_lettres", "INTEGER"},        // letters still to place after it
        {"reprise_du_tour", "INTEGER"},   // an earlier turn with the same proposal, or 0
        {"initialisée", "BOOLEAN"},       // the game began with "Initialiser"
    };
    return all;
}

// A row to write: the values given, Null in every other column.
QVariantList row_of(std::initializer_list<std::pair<Col, QVariant>> values) {
    QVariantList row(ColumnCount);
    for (const auto& [column, value] : values) {
        row[column] = value;
    }
    return row;
}

QString index_name() {
    return QStringLiteral("journal_ordre");
}

// The engine matches names ignoring the case of ASCII letters only.
bool same_name(const QString& a, const QString& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (qsizetype i = 0; i < a.size(); ++i) {
        const QChar x = a.at(i);
        const QChar y = b.at(i);
        if (x != y && !(x.unicode() < 128 && y.unicode() < 128 && x.toLower() == y.toLower())) {
            return false;
        }
    }
    return true;
}

bool has_name(const QStringList& names, const QString& name) {
    return std::any_of(names.begin(), names.end(),
                       [&name](const QString& n) { return same_name(n, name); });
}

std::optional<QString> run(const QSqlDatabase& db, const QString& statement,
                           const QVariantList& values = {}) {
    return sql::run(db, statement, values);
}

// The first value of the first row, or Null when there is none or the read fails.
QVariant single_value(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {}) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        return {};
    }
    for (const QVariant& value : values) {
        query.addBindValue(value);
    }
    if (!query.exec() || !query.next()) {
        return {};
    }
    return query.value(0);
}

// "table" or "view" for an object of the file, empty when there is none.
QString object_type(const QSqlDatabase& db, const QString& name) {
    return single_value(db,
                        QStringLiteral("SELECT type FROM sqlite_master WHERE type IN ('table', "
                                       "'view') AND name = ? COLLATE NOCASE"),
                        {name})
        .toString();
}

QString column_list(const QStringList& names) {
    QStringList quoted_names;
    for (const QString& name : names) {
        quoted_names << quoted(name);
    }
    return quoted_names.join(QStringLiteral(", "));
}

QString creation_statement(const QString& table) {
    QStringList defined;
    for (const Column& column : columns()) {
        defined << quoted(column.name) + QLatin1Char(' ') + column.type;
    }
    return QStringLiteral("CREATE TABLE ") + quoted(table) + QStringLiteral(" (") +
           defined.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString index_statement() {
    return QStringLiteral("CREATE INDEX IF NOT EXISTS ") + quoted(index_name()) +
           QStringLiteral(" ON ") + quoted(table_name()) + QStringLiteral(" (") +
           quoted(name_of(Kind)) + QStringLiteral(", ") + number_of(name_of(GameNumber)) +
           QStringLiteral(", ") + number_of(name_of(TurnNumber)) + QLatin1Char(')');
}

QString insert_statement() {
    return QStringLiteral("INSERT INTO ") + quoted(table_name()) + QStringLiteral(" (") +
           column_list(column_names()) + QStringLiteral(") VALUES (") +
           QStringList(static_cast<qsizetype>(columns().size()), QStringLiteral("?"))
               .join(QStringLiteral(", ")) +
           QLatin1Char(')');
}

QString text(const QString& value) {
    return field_values::stored_text(value);
}

QVariantList game_row(int number, const Game& game) {
    return row_of({{Kind, game_kind()},
                   {GameNumber, number},
                   {TurnNumber, 0},
                   {Reference, text(game.start.reference)},
                   {FoundText, text(game.start.found_text)},
                   {Letters, text(game.start.letters)},
                   {Revealed, game.start.found_count},
                   {Remaining, game.start.remaining_count},
                   {Initialised, game.initialised_here}});
}

QVariantList turn_row(int game_number, const Turn& turn) {
    return row_of({{Kind, turn_kind()},
                   {GameNumber, game_number},
                   {TurnNumber, turn.number},
                   {Player, text(turn.player)},
                   {Proposal, text(turn.proposal)},
                   {Reference, turn.reference ? QVariant(text(*turn.reference)) : QVariant()},
                   {FoundText, text(turn.found_text)},
                   {Letters, text(turn.letters)},
                   {Revealed, turn.revealed},
                   {Remaining, turn.remaining},
                   {RepeatOf, turn.repeat_of}});
}

// What a column refuses: Null when it is declared NOT NULL, unless it is a column the
// program never writes and the file gives it a default.
struct ColumnShape {
    QString name;
    bool refuses_null = false;
};

// The columns of the journal; the reason instead when the engine fails the read.
std::variant<std::vector<ColumnShape>, QString> column_shapes(const QSqlDatabase& db) {
    std::vector<ColumnShape> shapes;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("PRAGMA table_info(") + quoted(table_name()) +
                    QLatin1Char(')'))) {
        return engine_reason(query.lastError());
    }
    while (query.next()) {
        const QString name = query.value(1).toString();
        const bool not_null = query.value(3).toLongLong() != 0;
        const bool has_default = !query.value(4).isNull();
        const bool written = has_name(column_names(), name);
        shapes.push_back({name, not_null && (written || !has_default)});
    }
    if (query.lastError().isValid() || shapes.empty()) {
        // A table has columns: none read is a read that failed, and no reason to set it aside.
        return engine_reason(query.lastError());
    }
    return shapes;
}

// A name for the journal set aside, with the date, that no table or view of the file has.
QString aside_name(const QSqlDatabase& db, const QDateTime& now) {
    const QString base =
        table_name() + QStringLiteral("_") + now.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    QString name = base;
    for (int n = 2; !object_type(db, name).isEmpty(); ++n) {
        name = base + QLatin1Char('_') + QString::number(n);
    }
    return name;
}

// A view keeps its definition under the new name; it holds no rows of its own.
std::optional<QString> rename_view(QSqlDatabase& db, const QString& new_name) {
    const QString definition =
        single_value(db,
                     QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'view' AND "
                                    "name = ? COLLATE NOCASE"),
                     {table_name()})
            .toString();
    static const QRegularExpression head(
        QStringLiteral(R"(^\s*CREATE\s+(?:TEMP\s+|TEMPORARY\s+)?VIEW\s+(?:IF\s+NOT\s+EXISTS\s+)?)"
                       R"((?:"(?:[^"]|"")*"|\[[^\]]*\]|`[^`]*`|[^\s(]+))"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = head.match(definition);
    if (match.hasMatch()) {
        const QString renamed =
            QStringLiteral("CREATE VIEW ") + quoted(new_name) + definition.mid(match.capturedEnd());
        if (std::optional<QString> failure = run(db, renamed)) {
            return failure;
        }
    }
    return run(db, QStringLiteral("DROP VIEW ") + quoted(table_name()));
}

}  // namespace

QString table_name() {
    return QStringLiteral("journal");
}

QString name_of(Col column) {
    return columns()[static_cast<std::size_t>(column)].name;
}

bool is_text(Col column) {
    return columns()[static_cast<std::size_t>(column)].type == QLatin1String("TEXT");
}

QString unread_rows_table_name() {
    return QStringLiteral("journal_illisible");
}

QString game_kind() {
    return QStringLiteral("partie");
}

QString turn_kind() {
    return QStringLiteral("tour");
}

QString player_kind() {
    return QStringLiteral("joueur");
}

QStringList column_names() {
    QStringList names;
    for (const Column& column : columns()) {
        names << column.name;
    }
    return names;
}

QString number_of(const QString& column) {
    const QString c = quoted(column);
    const QString most = QString::number(kMaxNumber);
    return QStringLiteral(
               "(CASE typeof(%1) WHEN 'integer' THEN (CASE WHEN %1 BETWEEN 0 AND %2 THEN %1 END) "
               "WHEN 'text' THEN (CASE WHEN length(%1) BETWEEN 1 AND %3 AND NOT %1 GLOB "
               "'*[^0-9]*' AND CAST(%1 AS INTEGER) <= %2 THEN CAST(%1 AS INTEGER) END) END)")
        .arg(c, most, QString::number(most.size()));
}

bool exists(const QSqlDatabase& db, QString* failure) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type IN ('table', "
                       "'view') AND name = ? COLLATE NOCASE"));
    query.addBindValue(table_name());
    if (!query.exec() || !query.next()) {
        if (failure) {
            *failure = engine_reason(query.lastError());
        }
        return false;
    }
    return query.value(0).toLongLong() > 0;
}

QStringList present_columns(const QSqlDatabase& db) {
    QStringList names;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (query.exec(QStringLiteral("PRAGMA table_info(") + quoted(table_name()) +
                   QLatin1Char(')'))) {
        while (query.next()) {
            names << query.value(1).toString();
        }
    }
    return names;
}

std::optional<QString> make_writable(QSqlDatabase& db, const QDateTime& now,
                                     QString* aside_name_given) {
    const QString type = object_type(db, table_name());
    if (type == QLatin1String("table")) {
        const auto read = column_shapes(db);
        if (const QString* failure = std::get_if<QString>(&read)) {
            return *failure;
        }
        const auto& shapes = std::get<std::vector<ColumnShape>>(read);
        const bool writable = std::none_of(shapes.begin(), shapes.end(),
                                           [](const ColumnShape& s) { return s.refuses_null; });
        if (writable) {
            QStringList present;
            for (const ColumnShape& shape : shapes) {
                present << shape.name;
            }
            for (const Column& column : columns()) {
                if (!has_name(present, column.name)) {
                    if (std::optional<QString> failure =
                            run(db, QStringLiteral("ALTER TABLE ") + quoted(table_name()) +
                                        QStringLiteral(" ADD COLUMN ") + quoted(column.name) +
                                        QLatin1Char(' ') + column.type)) {
                        return failure;
                    }
                }
            }
            return run(db, index_statement());
        }
    }
    if (!type.isEmpty()) {
        const QString name = aside_name(db, now);
        std::optional<QString> failure;
        if (type == QLatin1String("view")) {
            failure = rename_view(db, name);
        } else {
            // The index goes with the rows' order of this program; the new table gets it.
            failure = run(db, QStringLiteral("DROP INDEX IF EXISTS ") + quoted(index_name()));
            if (!failure) {
                failure = run(db, QStringLiteral("ALTER TABLE ") + quoted(table_name()) +
                                      QStringLiteral(" RENAME TO ") + quoted(name));
            }
        }
        if (failure) {
            return failure;
        }
        if (aside_name_given) {
            *aside_name_given = name;
        }
    }
    if (std::optional<QString> failure = run(db, creation_statement(table_name()))) {
        return failure;
    }
    return run(db, index_statement());
}

namespace {

// Rows that no read takes: a kind that is none of the three, or a game or turn row whose
// game number is no number. Written so that the index answers each part.
QString outside_condition() {
    const QString genre = quoted(name_of(Kind));
    const QString game = number_of(name_of(GameNumber));
    QStringList parts = {
        genre + QStringLiteral(" IS NULL"),
        genre + QStringLiteral(" < '%1'").arg(player_kind()),
        QStringLiteral("(%1 > '%2' AND %1 < '%3')").arg(genre, player_kind(), game_kind()),
        QStringLiteral("(%1 > '%2' AND %1 < '%3')").arg(genre, game_kind(), turn_kind()),
        genre + QStringLiteral(" > '%1'").arg(turn_kind()),
    };
    for (const QString& kind : {game_kind(), turn_kind()}) {
        parts << QStringLiteral("(%1 = '%2' AND %3 IS NULL)").arg(genre, kind, game);
        parts << QStringLiteral("(%1 = '%2' AND %3 = 0)").arg(genre, kind, game);
    }
    return parts.join(QStringLiteral(" OR "));
}

}  // namespace

int rows_outside_the_games(const QSqlDatabase& db) {
    return static_cast<int>(single_value(db, QStringLiteral("SELECT count(*) FROM ") +
                                                 quoted(table_name()) + QStringLiteral(" WHERE ") +
                                                 outside_condition())
                                .toLongLong());
}

std::optional<QString> set_rows_aside(QSqlDatabase& db, const std::vector<qint64>& row_ids) {
    QString condition = outside_condition();
    if (!row_ids.empty()) {
        QStringList ids;
        for (qint64 id : row_ids) {
            ids << QString::number(id);
        }
        condition +=
            QStringLiteral(" OR rowid IN (") + ids.join(QStringLiteral(", ")) + QLatin1Char(')');
    }
    const QString from = QStringLiteral(" FROM ") + quoted(table_name());
    if (single_value(
            db, QStringLiteral("SELECT count(*)") + from + QStringLiteral(" WHERE ") + condition)
            .toLongLong() == 0) {
        return std::nullopt;
    }
    // The table of unread rows has the journal's columns, whatever they are.
    const QString aside = quoted(unread_rows_table_name());
    if (object_type(db, unread_rows_table_name()).isEmpty()) {
        if (std::optional<QString> failure =
                run(db, QStringLiteral("CREATE TABLE ") + aside + QStringLiteral(" AS SELECT *") +
                            from + QStringLiteral(" WHERE 0"))) {
            return failure;
        }
    }
    const QStringList present = present_columns(db);
    QStringList kept;
    {
        QSqlQuery query(db);
        query.exec(QStringLiteral("PRAGMA table_info(") + aside + QLatin1Char(')'));
        while (query.next()) {
            kept << query.value(1).toString();
        }
    }
    for (const QString& name : present) {
        if (!has_name(kept, name)) {
            if (std::optional<QString> failure =
                    run(db, QStringLiteral("ALTER TABLE ") + aside +
                                QStringLiteral(" ADD COLUMN ") + quoted(name))) {
                return failure;
            }
        }
    }
    const QString names = column_list(present);
    if (std::optional<QString> failure =
            run(db, QStringLiteral("INSERT INTO ") + aside + QStringLiteral(" (") + names +
                        QStringLiteral(") SELECT ") + names + from + QStringLiteral(" WHERE ") +
                        condition + QStringLiteral(" ORDER BY rowid"))) {
        return failure;
    }
    return run(db, QStringLiteral("DELETE") + from + QStringLiteral(" WHERE ") + condition);
}

std::optional<QString> write(QSqlDatabase& db, const JournalContents& journal) {
    const QString genre = quoted(name_of(Kind));
    const QString game = number_of(name_of(GameNumber));
    // The rows the journal replaces: the next player's, and those of the games it holds.
    const QString replaced = QStringLiteral(" WHERE %1 = '%2' OR (%1 IN ('%3', '%4') AND %5 >= ?)")
                                 .arg(genre, player_kind(), game_kind(), turn_kind(), game);
    const QVariantList first = {journal.earlier_games > 0 ? journal.first_game_number : 1};
    const QString from = QStringLiteral(" FROM ") + quoted(table_name());

    // Columns the program does not know keep their values, found again by kind, game and
    // turn once the rows are written anew.
    QStringList others;
    for (const QString& name : present_columns(db)) {
        if (!has_name(column_names(), name)) {
            others << name;
        }
    }
    const QString kept = QStringLiteral("temp.journal_autres_colonnes");
    if (!others.isEmpty()) {
        run(db, QStringLiteral("DROP TABLE IF EXISTS ") + kept);
        if (std::optional<QString> failure =
                run(db,
                    QStringLiteral("CREATE TABLE %1 AS SELECT %2 AS g, %3 AS p, %4 AS t, %5")
                            .arg(kept, genre, game, number_of(name_of(TurnNumber)),
                                 column_list(others)) +
                        from + replaced,
                    first)) {
            return failure;
        }
    }

    if (std::optional<QString> failure =
            run(db, QStringLiteral("DELETE") + from + replaced, first)) {
        return failure;
    }
    const qint64 last_before =
        single_value(db, QStringLiteral("SELECT coalesce(max(rowid), 0)") + from).toLongLong();
    // One statement, prepared once, for every row.
    QSqlQuery insert(db);
    if (!insert.prepare(insert_statement())) {
        return engine_reason(insert.lastError());
    }
    const auto add = [&insert](const QVariantList& row) -> std::optional<QString> {
        for (int i = 0; i < row.size(); ++i) {
            insert.bindValue(i, row.at(i));
        }
        if (!insert.exec()) {
            return engine_reason(insert.lastError());
        }
        return std::nullopt;
    };
    int game_number = journal.first_game_number - 1;
    for (const Game& held : journal.games) {
        ++game_number;
        if (std::optional<QString> failure = add(game_row(game_number, held))) {
            return failure;
        }
        for (const Turn& turn : held.turns) {
            if (std::optional<QString> failure = add(turn_row(game_number, turn))) {
                return failure;
            }
        }
    }
    if (std::optional<QString> failure =
            add({player_kind(), 0, 0, text(journal.next_player), QVariant(), QVariant(), QVariant(),
                 QVariant(), QVariant(), QVariant(), QVariant(), QVariant()})) {
        return failure;
    }
    if (others.isEmpty()) {
        return std::nullopt;
    }
    const QString same_row =
        QStringLiteral(" FROM %1 k WHERE k.g = %2.%3 AND k.p = %2.%4 AND k.t = %2.%5")
            .arg(kept, quoted(table_name()), genre, quoted(name_of(GameNumber)),
                 quoted(name_of(TurnNumber)));
    std::optional<QString> failure =
        run(db,
            QStringLiteral("UPDATE ") + quoted(table_name()) + QStringLiteral(" SET (") +
                column_list(others) + QStringLiteral(") = (SELECT ") + column_list(others) +
                same_row + QStringLiteral(" LIMIT 1) WHERE rowid > ? AND EXISTS (SELECT 1") +
                same_row + QLatin1Char(')'),
            {last_before});
    run(db, QStringLiteral("DROP TABLE IF EXISTS ") + kept);
    return failure;
}

}  // namespace vorlo::journal_table
