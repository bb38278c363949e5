#pragma once

#include "engine/game_journal.h"

#include <QString>

#include <vector>

namespace vorlo {

// The scoreboard as a BBCode post: a title line, then one line per player, highest first,
// or a line saying that no player has scored yet. Each line ends with one carriage return.
QString build_scoreboard_post(const std::vector<Score>& scores);

// The end of a won game as a BBCode post: the sentence, the number of turns played and
// the scoreboard. Each line ends with one carriage return.
QString build_recap_post(const QString& sentence, int turns_played,
                         const std::vector<Score>& scores);

}  // namespace vorlo
