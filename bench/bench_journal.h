#pragma once

#include "bench_texts.h"
#include "engine/game_journal.h"

namespace vorlo::bench {

// A journal of `games` games of `turns` turns each on 600-character texts, every turn
// credited to one of five players.
inline JournalContents long_journal(int games, int turns) {
    const QString text = full_length_text();
    JournalContents journal;
    for (int g = 0; g < games; ++g) {
        Game game;
        game.start = {text, QString(text.size(), QLatin1Char('*')), text, 500, 0};
        for (int t = 1; t <= turns; ++t) {
            game.turns.push_back(
                {t, text, QStringLiteral("Joueur %1").arg(t % 5), 3, 500 - 3 * t, text, text, 0});
        }
        journal.games.push_back(std::move(game));
    }
    journal.next_player = QStringLiteral("Joueur 1");
    return journal;
}

}  // namespace vorlo::bench
