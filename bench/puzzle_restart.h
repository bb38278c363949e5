#pragma once

#include "support/engine_harness.h"

#include <QString>

namespace vorlo::bench {

// What "Initialiser" leaves in the displays, kept so that each call starts from it again.
struct InitialisedPuzzle {
    QString reference;
    QString found;
    QString letters;
    QString remaining_count;
};

inline InitialisedPuzzle initialised(vorlo::testing::EngineHarness& h, const QString& reference) {
    h.start_puzzle(reference);
    return {h.view.ref, h.view.soluce, h.view.lettres, h.view.lettres_restantes};
}

// Back to the freshly initialised puzzle: masked text, full inventory, nothing found.
inline void restart(vorlo::testing::EngineHarness& h, const InitialisedPuzzle& puzzle,
                    const QString& proposal) {
    h.view.ref = puzzle.reference;
    h.view.soluce = puzzle.found;
    h.view.lettres = puzzle.letters;
    h.view.lettres_restantes = puzzle.remaining_count;
    h.view.lettres_trouvees = QStringLiteral("0");
    h.view.propal = proposal;
    h.state.proposal_refused = false;
}

}  // namespace vorlo::bench
