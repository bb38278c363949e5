#include "storage/journal_reading.h"

#include "engine/counted_letters.h"
#include "storage/database_schema.h"
#include "storage/engine_reason.h"
#include "storage/field_values.h"
#include "storage/journal_table.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <algorithm>

namespace vorlo::journal_reading {

namespace {

using journal_table::Col;
using journal_table::ColumnCount;
using journal_table::is_text;
using journal_table::name_of;
using journal_table::number_of;
using enum journal_table::Col;
using schema::quoted;

const QString kRowId = QStringLiteral("ligne");
const QString kGameNumber = QStringLiteral("numéro_de_partie");
const QString kTurnNumber = QStringLiteral("numéro_de_tour");

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

// No text of a game is longer than this: a reference or a proposal holds at most
// kMaxTextLength characters, an inventory a letter and a blank for each of them. A longer
// text is no game's and would only slow every window that shows it.
constexpr qsizetype kMaxStoredText = 2 * kMaxTextLength;

bool too_long(std::initializer_list<const QString*> texts) {
    return std::any_of(texts.begin(), texts.end(),
                       [](const QString* text) { return text->size() > kMaxStoredText; });
}

int count_or_zero(const QVariant& value) {
    return field_values::count_of(value).value_or(0);
}

// The letters a found text hides of its reference, or nothing when it is not the reference
// with some of its counted letters hidden by "*".
std::optional<int> hidden_letters(const QString& reference, const QString& found) {
    if (found.size() != reference.size()) {
        return std::nullopt;
    }
    int hidden = 0;
    for (qsizetype i = 0; i < found.size(); ++i) {
        if (found.at(i) == reference.at(i)) {
            continue;
        }
        if (found.at(i) != QLatin1Char('*') ||
            letter_index_table()[reference.at(i).unicode()] == kNotCounted) {
            return std::nullopt;
        }
        ++hidden;
    }
    return hidden;
}

// The letters `after` shows that `before` hid, or nothing when `after` is not `before` with
// some of its "*" replaced by the reference's letters.
std::optional<int> revealed_letters(const QString& reference, const QString& before,
                                    const QString& after) {
    if (after.size() != before.size()) {
        return std::nullopt;
    }
    int revealed = 0;
    for (qsizetype i = 0; i < after.size(); ++i) {
        if (after.at(i) == before.at(i)) {
            continue;
        }
        if (before.at(i) != QLatin1Char('*') || i >= reference.size() ||
            after.at(i) != reference.at(i)) {
            return std::nullopt;
        }
        ++revealed;
    }
    return revealed;
}

// Named values of the rows of a query, the columns found once by name.
class Row {
  public:
    explicit Row(const QSqlQuery& query) : query_(query) {
        const QSqlRecord record = query.record();
        for (int i = 0; i < record.count(); ++i) {
            index_.insert(record.fieldName(i), i);
        }
    }
    QVariant value(const QString& column) const { return query_.value(index_.value(column, -1)); }
    QString text(const QString& column) const { return text_of(value(column)); }
    std::optional<int> number(const QString& column) const {
        const QVariant v = value(column);
        return v.isNull() ? std::nullopt : std::optional<int>(v.toInt());
    }

  private:
    const QSqlQuery& query_;
    QHash<QString, int> index_;
};

// Puts the rows together into games, in the order of their numbers, checking each against
// its texts.
class GameAssembler {
  public:
    explicit GameAssembler(JournalRead& read) : read_(read) {}

    void add(const Row& row) {
        const QString kind = row.text(name_of(Kind));
        const qint64 row_id = row.value(kRowId).toLongLong();
        if (kind == journal_table::player_kind()) {
            const QString player = row.text(name_of(Player));
            if (too_long({&player})) {
                read_.unread_rows.push_back(row_id);
            } else {
                read_.journal.next_player = player_name(player);
            }
            return;
        }
        const std::optional<int> game_number = row.number(kGameNumber);
        const bool taken =
            game_number && (kind == journal_table::game_kind() ? add_game(row, *game_number)
                                                               : add_turn(row, *game_number));
        if (!taken) {
            read_.unread_rows.push_back(row_id);
        }
    }

  private:
    bool add_game(const Row& row, int number) {
        if (number <= last_game_) {
            return false;  // a second row for a game already read
        }
        last_game_ = number;
        current_ = nullptr;
        Game game;
        game.initialised_here = row.value(name_of(Initialised)).toBool();
        game.start.reference = row.text(name_of(Reference));
        game.start.found_text = row.text(name_of(FoundText));
        game.start.letters = row.text(name_of(Letters));
        game.start.found_count = count_or_zero(row.value(name_of(Revealed)));
        if (game.start.reference.size() > kMaxTextLength ||
            too_long({&game.start.found_text, &game.start.letters})) {
            return false;
        }
        const std::optional<int> hidden =
            hidden_letters(game.start.reference, game.start.found_text);
        if (hidden) {
            game.start.remaining_count = *hidden;
        } else if (game.initialised_here) {
            return false;  // "Initialiser" makes no such page
        } else {
            // A page taken up as it was shown: its count cannot be checked.
            game.start.remaining_count = count_or_zero(row.value(name_of(Remaining)));
        }
        if (read_.journal.games.empty()) {
            read_.journal.first_game_number = number;
        }
        read_.journal.games.push_back(std::move(game));
        current_ = &read_.journal.games.back();
        last_turn_ = 0;
        return true;
    }

    bool add_turn(const Row& row, int game_number) {
        const std::optional<int> stored_number = row.number(kTurnNumber);
        if (!current_ || game_number != last_game_ || !stored_number ||
            *stored_number <= last_turn_) {
            return false;  // no game to go in, or a turn repeated or out of order
        }
        const PuzzlePage before = current_->current_page();
        Turn turn;
        turn.number = static_cast<int>(current_->turns.size()) + 1;
        turn.player = player_name(row.text(name_of(Player)));
        turn.proposal = row.text(name_of(Proposal));
        turn.found_text = row.text(name_of(FoundText));
        turn.letters = row.text(name_of(Letters));
        if (!row.value(name_of(Reference)).isNull()) {
            turn.reference = row.text(name_of(Reference));
        }
        // The reference the turn was played against; a row of an older file has none.
        const QString& reference = turn.reference ? *turn.reference : current_->start.reference;
        if (turn.proposal.size() > kMaxTextLength || reference.size() > kMaxTextLength ||
            too_long({&turn.player, &turn.found_text, &turn.letters})) {
            return false;
        }
        const std::optional<int> revealed =
            revealed_letters(reference, before.found_text, turn.found_text);
        if (!revealed) {
            return false;
        }
        turn.revealed = *revealed;
        const std::optional<int> hidden = hidden_letters(reference, turn.found_text);
        turn.remaining = hidden ? *hidden : count_or_zero(row.value(name_of(Remaining)));
        const int repeat = count_or_zero(row.value(name_of(RepeatOf)));
        turn.repeat_of = repeat < turn.number ? repeat : 0;
        current_->turns.push_back(std::move(turn));
        last_turn_ = *stored_number;
        return true;
    }

    JournalRead& read_;
    Game* current_ = nullptr;
    int last_game_ = 0;
    int last_turn_ = 0;
};

// The rows that `condition` selects, each column under its own name whatever the file
// calls it, Null for a column the file lacks; false when the engine fails the read.
bool read_rows(const QSqlDatabase& db, const QString& condition, const QVariantList& values,
               JournalRead& read) {
    const QStringList present = journal_table::present_columns(db);
    QStringList selected = {QStringLiteral("rowid AS ") + quoted(kRowId)};
    const auto has = [&present](const QString& name) {
        return present.contains(name, Qt::CaseInsensitive);
    };
    for (int c = 0; c < ColumnCount; ++c) {
        const QString name = name_of(Col(c));
        const QString value = !has(name)        ? QStringLiteral("NULL")
                              : is_text(Col(c)) ? utf8_of(quoted(name))
                                                : quoted(name);
        selected << value + QStringLiteral(" AS ") + quoted(name);
    }
    if (!has(name_of(Kind)) || !has(name_of(GameNumber))) {
        return true;  // no row can be placed in a game
    }
    const QString game = number_of(name_of(GameNumber));
    const QString turn =
        has(name_of(TurnNumber)) ? number_of(name_of(TurnNumber)) : QStringLiteral("NULL");
    selected << game + QStringLiteral(" AS ") + quoted(kGameNumber)
             << turn + QStringLiteral(" AS ") + quoted(kTurnNumber);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT ") + selected.join(QStringLiteral(", ")) +
                  QStringLiteral(" FROM ") + quoted(journal_table::table_name()) +
                  QStringLiteral(" WHERE ") + condition + QStringLiteral(" ORDER BY ") + game +
                  QStringLiteral(", ") + quoted(name_of(Kind)) + QStringLiteral(" = '") +
                  journal_table::turn_kind() + QStringLiteral("', ") + turn +
                  QStringLiteral(", rowid"));
    for (const QVariant& value : values) {
        query.addBindValue(value);
    }
    if (!query.exec()) {
        read.failure = engine_reason(query.lastError());
        return false;
    }
    GameAssembler games(read);
    const Row row(query);
    while (query.next()) {
        games.add(row);
    }
    if (query.lastError().isValid()) {
        read.failure = engine_reason(query.lastError());
        return false;
    }
    return true;
}

// The rows of the games numbered from `first` (and below `end` when it is above 0).
QString games_condition(int end) {
    return QStringLiteral("%1 IN ('%2', '%3') AND %4 >= ?")
               .arg(quoted(name_of(Kind)), journal_table::game_kind(), journal_table::turn_kind(),
                    number_of(name_of(GameNumber))) +
           (end > 0
                ? QStringLiteral(" AND ") + number_of(name_of(GameNumber)) + QStringLiteral(" < ?")
                : QString());
}

// Numbers of the games stored below `below` (every one when it is 0), from the latest, at
// most `limit` of them (all when 0); nothing when the engine fails the read.
std::optional<std::vector<int>> game_numbers(const QSqlDatabase& db, int below, int limit,
                                             QString& failure) {
    const QString game = number_of(name_of(GameNumber));
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT DISTINCT %1 FROM %2 WHERE %3 = '%4' AND %1 >= 1")
                      .arg(game, quoted(journal_table::table_name()), quoted(name_of(Kind)),
                           journal_table::game_kind()) +
                  (below > 0 ? QStringLiteral(" AND %1 < %2").arg(game).arg(below) : QString()) +
                  QStringLiteral(" ORDER BY 1 DESC") +
                  (limit > 0 ? QStringLiteral(" LIMIT %1").arg(limit) : QString()));
    if (!query.exec()) {
        failure = engine_reason(query.lastError());
        return std::nullopt;
    }
    std::vector<int> numbers;
    while (query.next()) {
        numbers.push_back(query.value(0).toInt());
    }
    if (query.lastError().isValid()) {
        failure = engine_reason(query.lastError());
        return std::nullopt;
    }
    return numbers;
}

// How many games are stored below `below`.
std::optional<int> games_below(const QSqlDatabase& db, int below, QString& failure) {
    const QString game = number_of(name_of(GameNumber));
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT count(DISTINCT %1) FROM %2 WHERE %3 = '%4' AND %1 >= 1 AND %1 < ?")
            .arg(game, quoted(journal_table::table_name()), quoted(name_of(Kind)),
                 journal_table::game_kind()));
    query.addBindValue(below);
    if (!query.exec() || !query.next()) {
        failure = engine_reason(query.lastError());
        return std::nullopt;
    }
    return query.value(0).toInt();
}

bool has_columns_to_read(const QSqlDatabase& db) {
    const QStringList present = journal_table::present_columns(db);
    return present.contains(name_of(Kind), Qt::CaseInsensitive) &&
           present.contains(name_of(GameNumber), Qt::CaseInsensitive);
}

}  // namespace

JournalRead read(const QSqlDatabase& db, int latest_games) {
    JournalRead read;
    if (!journal_table::exists(db, &read.failure) || !has_columns_to_read(db)) {
        return read;
    }
    int first = 1;
    if (latest_games > 0) {
        const std::optional<std::vector<int>> latest =
            game_numbers(db, 0, latest_games, read.failure);
        if (!latest) {
            return {{}, {}, read.failure};
        }
        if (!latest->empty()) {
            first = latest->back();
            const std::optional<int> earlier = games_below(db, first, read.failure);
            if (!earlier) {
                return {{}, {}, read.failure};
            }
            read.journal.earlier_games = *earlier;
        }
    }
    const QString condition =
        QStringLiteral("%1 = '%2' OR (%3)")
            .arg(quoted(name_of(Kind)), journal_table::player_kind(), games_condition(0));
    if (!read_rows(db, condition, {first}, read)) {
        return {{}, {}, read.failure};
    }
    // Games that could not be read do not count among those held.
    if (read.journal.games.empty()) {
        read.journal.first_game_number = first;
    }
    return read;
}

EarlierGame read_game_before(const QSqlDatabase& db, int before_number) {
    EarlierGame earlier;
    if (!journal_table::exists(db, &earlier.failure) || !has_columns_to_read(db)) {
        return earlier;
    }
    int end = before_number;
    while (end > 1) {
        const std::optional<std::vector<int>> numbers = game_numbers(db, end, 1, earlier.failure);
        if (!numbers) {
            return earlier;
        }
        if (numbers->empty()) {
            return earlier;
        }
        const int number = numbers->front();
        JournalRead read;
        if (!read_rows(db, games_condition(end), {number, end}, read)) {
            earlier.failure = read.failure;
            return earlier;
        }
        earlier.unread_rows.insert(earlier.unread_rows.end(), read.unread_rows.begin(),
                                   read.unread_rows.end());
        if (!read.journal.games.empty()) {
            earlier.game = NumberedGame{number, std::move(read.journal.games.front())};
            return earlier;
        }
        end = number;  // that game could not be read: the one before it is
    }
    return earlier;
}

}  // namespace vorlo::journal_reading
