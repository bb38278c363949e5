#pragma once

#include "engine/game_journal.h"

#include <QString>

#include <optional>
#include <vector>

class QSqlDatabase;

// Reading the table "journal". A row's numbers are checked against its own texts: the
// remaining count is the number of letters its found text hides, the revealed count the
// letters it shows that the found text before it hid, one row per turn in order. A row whose
// texts do not hold together, or that repeats a turn, is not read: its row id is given back
// so that a save can set it aside, and nothing is shown that its texts do not support.
namespace vorlo::journal_reading {

struct JournalRead {
    JournalContents journal;
    std::vector<qint64> unread_rows;  // rows of the games read that could not be read
    QString failure;                  // the engine failed the read itself; in French
};

// The journal the table holds, or only its `latest_games` last games when that is above 0.
// A file without the table gives an empty journal.
JournalRead read(const QSqlDatabase& db, int latest_games);

struct EarlierGame {
    std::optional<NumberedGame> game;  // nothing when there is no earlier game to read
    std::vector<qint64> unread_rows;
    QString failure;  // the engine failed the read; in French
};

// The latest stored game numbered below `before_number` that can be read; the rows between
// it and that number which cannot be read are given back.
EarlierGame read_game_before(const QSqlDatabase& db, int before_number);

}  // namespace vorlo::journal_reading
