#pragma once

#include "engine/game_journal.h"
#include "posting/forum_rules.h"

#include <QString>

#include <vector>

namespace vorlo {

// What a turn's post tells: the page after the turn and, for the richer post, the turn.
struct TurnPostInput {
    QString found_text;
    int found_count = 0;
    int remaining_count = 0;
    QString letters;
    int turn_number = 0;        // 0 when unknown; the winning post counts the turns with it
    QString player;             // may be empty
    QString proposal;           // as it was played; may be empty
    std::vector<Score> scores;  // highest first
};

// The turn's post for the forum of `profile`: the found text, the two counts and the
// remaining letters, or the winning line when nothing remains. `detailed` adds, above the
// found text, the turn, its player and proposal, and below it the three leading players;
// a won game's post then names its winner and the number of turns. Classique without
// details is the program's own post, byte for byte.
QString turn_post(PostingProfile profile, const TurnPostInput& input, bool detailed = false);

// The scoreboard ("Copier le classement") and the end of a won game ("Copier le
// récapitulatif") for the forum of `profile`.
QString scoreboard_post(PostingProfile profile, const std::vector<Score>& scores);
QString recap_post(PostingProfile profile, const QString& sentence, int turns_played,
                   const std::vector<Score>& scores);

}  // namespace vorlo
