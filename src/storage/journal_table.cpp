#include "storage/journal_table.h"

#include "storage/database_schema.h"
#include "storage/engine_reason.h"
#include "storage/field_values.h"
#include "storage/sql_statement.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <vector>

namespace vorlo::journal_table {

namespace {

using schema::quoted;

// Kinds of rows.
const QString kGameRow = QStringLiteral("partie");
const QString kTurnRow = QStringLiteral("tour");
const QString kPlayerRow = QStringLiteral("joueur");

struct Column {
    QString name;
    QString type;
};

// The columns by role, numbered in the order they are written and read.
enum Col : int {
    Kind,
    GameNumber,
    TurnNumber,
    Player,
    Proposal,
    Reference,
    FoundText,
    Letters,
    Revealed,
    Remaining,
    RepeatOf,
    Initialised,
    ColumnCount
};

// The columns, in the order of `Col`.
const std::vector<Column>& columns() {
    static const std::vector<Column> all = {
        {"genre", "TEXT"},                // partie, tour or joueur
        {"partie", "INTEGER"},            // number of the game, from 1
        {"tour", "INTEGER"},              // number of the turn, from 1; 0 for a game
        {"joueur", "TEXT"},               // the player of a turn, or of the next proposal
        {"proposition", "TEXT"},          // the proposal of a turn
        {"base", "TEXT"},                 // the reference of a game
        {"result", "TEXT"},               // the found text after the start or the turn
        {"lettres", "TEXT"},              // the remaining letters after it
        {"lettres_trouvées", "INTEGER"},  // letters revealed by the turn; found count shown
        {"nb_lettres", "INTEGER"},        // letters still to place after it
        {"reprise_du_tour", "INTEGER"},   // an earlier turn with the same proposal, or 0
        {"initialisée", "BOOLEAN"},       // the game began with "Initialiser"
    };
    return all;
}

QString name_of(Col column) {
    return columns()[static_cast<std::size_t>(column)].name;
}

// A row to write: the values given, Null in every other column.
QVariantList row_of(std::initializer_list<std::pair<Col, QVariant>> values) {
    QVariantList row(ColumnCount);
    for (const auto& [column, value] : values) {
        row[column] = value;
    }
    return row;
}

bool is_text(const Column& column) {
    return column.type == QLatin1String("TEXT");
}

QString reason(const QSqlError& error) {
    return engine_reason(error);
}

std::optional<QString> run(QSqlDatabase& db, const QString& statement,
                           const QVariantList& values = {}) {
    return sql::run(db, statement, values);
}

QString creation_statement() {
    QStringList defined;
    for (const Column& column : columns()) {
        defined << quoted(column.name) + QLatin1Char(' ') + column.type;
    }
    return QStringLiteral("CREATE TABLE ") + quoted(table_name()) + QStringLiteral(" (") +
           defined.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString insert_statement() {
    QStringList named;
    for (const Column& column : columns()) {
        named << quoted(column.name);
    }
    return QStringLiteral("INSERT INTO ") + quoted(table_name()) + QStringLiteral(" (") +
           named.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
           QStringList(static_cast<qsizetype>(columns().size()), QStringLiteral("?"))
               .join(QStringLiteral(", ")) +
           QLatin1Char(')');
}

QString text(const QString& value) {
    return field_values::stored_text(value);
}

QVariantList game_row(int number, const Game& game) {
    return row_of({{Kind, kGameRow},
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
    return row_of({{Kind, kTurnRow},
                   {GameNumber, game_number},
                   {TurnNumber, turn.number},
                   {Player, text(turn.player)},
                   {Proposal, text(turn.proposal)},
                   {FoundText, text(turn.found_text)},
                   {Letters, text(turn.letters)},
                   {Revealed, turn.revealed},
                   {Remaining, turn.remaining},
                   {RepeatOf, turn.repeat_of}});
}

int whole(const QVariant& value) {
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    return ok && number >= 0 && number <= 100000 ? static_cast<int>(number) : 0;
}

QString text_of(const QVariant& value) {
    if (value.typeId() == QMetaType::QByteArray) {
        return QString::fromUtf8(value.toByteArray());  // a text, as utf8_of selects it
    }
    return field_values::text_of(value).value_or(QString());
}

// A text column selected as its UTF-8 bytes, which the program decodes much faster than the
// engine turns them into UTF-16 (most of a long journal's read went there). A blob is no
// text and comes as Null; numbers come as they are.
QString utf8_of(const QString& column) {
    return QStringLiteral(
               "CASE typeof(%1) WHEN 'text' THEN CAST(%1 AS BLOB) "
               "WHEN 'blob' THEN NULL ELSE %1 END")
        .arg(column);
}

}  // namespace

QString table_name() {
    return QStringLiteral("journal");
}

bool exists(const QSqlDatabase& db) {
    return sql::find_table(db, table_name()).exists;
}

std::optional<QString> add_if_missing(QSqlDatabase& db) {
    if (exists(db)) {
        return std::nullopt;
    }
    return run(db, creation_statement());
}

std::optional<QString> write(QSqlDatabase& db, const JournalContents& journal) {
    QString clear = QStringLiteral("DELETE FROM ") + quoted(table_name());
    QVariantList clear_values;
    if (journal.earlier_games > 0) {
        clear += QStringLiteral(" WHERE ") + quoted(name_of(Kind)) + QStringLiteral(" = ? OR ") +
                 quoted(name_of(GameNumber)) + QStringLiteral(" >= ?");
        clear_values = {kPlayerRow, journal.first_game_number};
    }
    if (std::optional<QString> failure = run(db, clear, clear_values)) {
        return failure;
    }
    // One statement, prepared once, for every row.
    QSqlQuery insert(db);
    if (!insert.prepare(insert_statement())) {
        return reason(insert.lastError());
    }
    const auto add = [&insert](const QVariantList& row) -> std::optional<QString> {
        for (int i = 0; i < row.size(); ++i) {
            insert.bindValue(i, row.at(i));
        }
        if (!insert.exec()) {
            return reason(insert.lastError());
        }
        return std::nullopt;
    };
    int game_number = journal.first_game_number - 1;
    for (const Game& game : journal.games) {
        ++game_number;
        if (std::optional<QString> failure = add(game_row(game_number, game))) {
            return failure;
        }
        for (const Turn& turn : game.turns) {
            if (std::optional<QString> failure = add(turn_row(game_number, turn))) {
                return failure;
            }
        }
    }
    return add(row_of({{Kind, kPlayerRow},
                       {GameNumber, 0},
                       {TurnNumber, 0},
                       {Player, text(journal.next_player)}}));
}

namespace {

void set_failure(QString* failure, const QSqlQuery& query) {
    if (failure) {
        *failure = reason(query.lastError());
    }
}

QString column_is(const QString& column, const QString& comparison) {
    return quoted(column) + QLatin1Char(' ') + comparison + QStringLiteral(" ?");
}

// Adds the games, turns and next player of the rows that `condition` selects (every row when
// it is empty) to `journal`; false when the engine fails the read.
bool read_rows(const QSqlDatabase& db, const QString& condition, const QVariantList& values,
               JournalContents& journal, QString* failure) {
    QStringList named;
    for (const Column& column : columns()) {
        named << (is_text(column) ? utf8_of(quoted(column.name)) : quoted(column.name));
    }
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT ") + named.join(QStringLiteral(", ")) +
                  QStringLiteral(" FROM ") + quoted(table_name()) +
                  (condition.isEmpty() ? QString() : QStringLiteral(" WHERE ") + condition) +
                  QStringLiteral(" ORDER BY ") + quoted(name_of(GameNumber)) +
                  QStringLiteral(", ") + quoted(name_of(TurnNumber)) + QStringLiteral(", rowid"));
    for (const QVariant& value : values) {
        query.addBindValue(value);
    }
    if (!query.exec()) {
        set_failure(failure, query);
        return false;
    }
    int last_game = 0;
    while (query.next()) {
        const auto at = [&query](Col column) { return query.value(column); };
        const QString kind = text_of(at(Kind));
        const int game_number = whole(at(GameNumber));
        if (kind == kPlayerRow) {
            journal.next_player = player_name(text_of(at(Player)));
        } else if (kind == kGameRow && game_number > last_game) {
            Game game;
            game.start = {text_of(at(Reference)), text_of(at(FoundText)), text_of(at(Letters)),
                          whole(at(Remaining)), whole(at(Revealed))};
            game.initialised_here = at(Initialised).toBool();
            if (journal.games.empty()) {
                journal.first_game_number = game_number;
            }
            journal.games.push_back(std::move(game));
            last_game = game_number;
        } else if (kind == kTurnRow && game_number == last_game && !journal.games.empty()) {
            std::vector<Turn>& turns = journal.games.back().turns;
            Turn turn;
            turn.number = static_cast<int>(turns.size()) + 1;
            turn.player = player_name(text_of(at(Player)));
            turn.proposal = text_of(at(Proposal));
            turn.found_text = text_of(at(FoundText));
            turn.letters = text_of(at(Letters));
            turn.revealed = whole(at(Revealed));
            turn.remaining = whole(at(Remaining));
            const int repeat = whole(at(RepeatOf));
            turn.repeat_of = repeat < turn.number ? repeat : 0;
            turns.push_back(std::move(turn));
        }
    }
    if (query.lastError().isValid()) {
        set_failure(failure, query);
        return false;
    }
    return true;
}

// The numbers of the games the table holds, in the order they are read.
std::optional<std::vector<int>> game_numbers(const QSqlDatabase& db, QString* failure) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT ") + quoted(name_of(GameNumber)) +
                  QStringLiteral(" FROM ") + quoted(table_name()) + QStringLiteral(" WHERE ") +
                  column_is(name_of(Kind), QStringLiteral("=")) + QStringLiteral(" ORDER BY ") +
                  quoted(name_of(GameNumber)));
    query.addBindValue(kGameRow);
    if (!query.exec()) {
        set_failure(failure, query);
        return std::nullopt;
    }
    std::vector<int> numbers;
    while (query.next()) {
        const int number = whole(query.value(0));
        if (number > (numbers.empty() ? 0 : numbers.back())) {
            numbers.push_back(number);
        }
    }
    if (query.lastError().isValid()) {
        set_failure(failure, query);
        return std::nullopt;
    }
    return numbers;
}

}  // namespace

JournalContents read(const QSqlDatabase& db, QString* failure, int latest_games) {
    JournalContents journal;
    const sql::TableLookup table = sql::find_table(db, table_name());
    if (table.failure) {
        if (failure) {
            *failure = *table.failure;
        }
        return {};
    }
    if (!table.exists) {
        return journal;
    }
    QString condition;
    QVariantList values;
    if (latest_games > 0) {
        const std::optional<std::vector<int>> numbers = game_numbers(db, failure);
        if (!numbers) {
            return {};
        }
        const int held = std::min(latest_games, static_cast<int>(numbers->size()));
        journal.earlier_games = static_cast<int>(numbers->size()) - held;
        if (journal.earlier_games > 0) {
            const int first = numbers->at(static_cast<std::size_t>(journal.earlier_games));
            condition = column_is(name_of(Kind), QStringLiteral("=")) + QStringLiteral(" OR ") +
                        column_is(name_of(GameNumber), QStringLiteral(">="));
            values = {kPlayerRow, first};
        }
    }
    if (!read_rows(db, condition, values, journal, failure)) {
        return {};
    }
    return journal;
}

std::optional<NumberedGame> read_game_before(const QSqlDatabase& db, int before_number) {
    const std::optional<std::vector<int>> numbers = game_numbers(db, nullptr);
    if (!numbers) {
        return std::nullopt;
    }
    const auto after = std::lower_bound(numbers->begin(), numbers->end(), before_number);
    if (after == numbers->begin()) {
        return std::nullopt;
    }
    const int number = *std::prev(after);
    JournalContents journal;
    if (!read_rows(db,
                   column_is(name_of(Kind), QStringLiteral("<>")) + QStringLiteral(" AND ") +
                       column_is(name_of(GameNumber), QStringLiteral("=")),
                   {kPlayerRow, number}, journal, nullptr) ||
        journal.games.size() != 1) {
        return std::nullopt;
    }
    return NumberedGame{number, std::move(journal.games.front())};
}

}  // namespace vorlo::journal_table
