#pragma once

#include "bench_texts.h"
#include "engine/counted_letters.h"
#include "engine/game_journal.h"

#include <vector>

namespace vorlo::bench {

// A journal of `games` games of `turns` turns each on 600-character texts, every turn
// credited to one of five players. Each game starts masked and its turns reveal the hidden
// letters in order, the last one all of them, with the counts its texts give.
inline JournalContents long_journal(int games, int turns) {
    const QString text = full_length_text();
    std::vector<int> hidden;  // positions of the counted letters
    QString masked = text;
    for (int i = 0; i < text.size(); ++i) {
        if (letter_index_table()[text.at(i).unicode()] != kNotCounted) {
            hidden.push_back(i);
            masked[i] = QLatin1Char('*');
        }
    }
    const int total = static_cast<int>(hidden.size());
    Game game;
    game.start = {text, masked, text, total, 0};
    QString found = masked;
    int shown = 0;
    for (int t = 1; t <= turns; ++t) {
        const int upto = total * t / turns;
        for (int k = shown; k < upto; ++k) {
            const int at = hidden.at(static_cast<std::size_t>(k));
            found[at] = text.at(at);
        }
        game.turns.push_back({t, text, QStringLiteral("Joueur %1").arg(t % 5), upto - shown,
                              total - upto, found, text, 0, text});
        shown = upto;
    }
    JournalContents journal;
    journal.games.assign(static_cast<std::size_t>(games), game);
    journal.next_player = QStringLiteral("Joueur 1");
    return journal;
}

}  // namespace vorlo::bench
