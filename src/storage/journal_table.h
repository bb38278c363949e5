#pragma once

#include "engine/game_journal.h"

#include <QString>

#include <optional>

class QSqlDatabase;

// The table "journal" of the page file: the games played, their turns and players, and
// the player of the next proposal, one row each. It comes beside the three tables of the
// page and never changes them.
namespace vorlo::journal_table {

QString table_name();  // "journal"

// Whether the file has the table.
bool exists(const QSqlDatabase& db);
// Adds the empty table to a file that lacks it. Nothing else in the file changes. The
// reason is returned when the engine refuses.
std::optional<QString> add_if_missing(QSqlDatabase& db);

// Replaces the rows of the table by the journal; the rows of its earlier games, which it
// does not hold, stay as they are. The caller holds the transaction.
std::optional<QString> write(QSqlDatabase& db, const JournalContents& journal);
// The journal the table holds, or only its `latest_games` last games when that is above 0;
// rows that cannot be read are passed over, and a file without the table gives an empty
// journal. When the engine fails the read itself, an empty journal is returned and
// `failure` gets the reason.
JournalContents read(const QSqlDatabase& db, QString* failure = nullptr, int latest_games = 0);
// The stored game numbered just below `before_number`; nothing when there is none or the
// engine fails the read.
std::optional<NumberedGame> read_game_before(const QSqlDatabase& db, int before_number);

}  // namespace vorlo::journal_table
