#pragma once

#include "engine/puzzle_engine.h"
#include "engine/puzzle_state.h"

#include <QString>

namespace vorlo::bench {

// One engine over the page's values, started up as the program starts it.
struct BenchEngine {
    PuzzleState state;
    PuzzleValues values;
    PuzzleEngine engine{state, values};

    BenchEngine() { state.start_up(); }

    // A fresh puzzle from a reference, then a proposal played against it.
    void start_puzzle(const QString& reference) {
        values.reference = reference;
        engine.initialise_puzzle();
    }
    void play(const QString& proposal) {
        values.proposal = proposal;
        engine.evaluate_proposal();
    }
    // Whether the last operation was refused, for a proposal or a word.
    bool refused() const { return engine.refusal() != Refusal::None || engine.mismatch(); }
};

// What "Initialiser" leaves on the page, kept so that each call starts from it again.
struct InitialisedPuzzle {
    QString reference;
    QString found;
    QString letters;
    int remaining_count = 0;
};

inline InitialisedPuzzle initialised(BenchEngine& h, const QString& reference) {
    h.start_puzzle(reference);
    return {h.values.reference, h.values.found_text, h.values.remaining_letters,
            h.values.remaining_count};
}

// Back to the freshly initialised puzzle: masked text, full inventory, nothing found.
inline void restart(BenchEngine& h, const InitialisedPuzzle& puzzle, const QString& proposal) {
    h.values = {puzzle.reference, puzzle.found,           proposal,
                puzzle.letters,   puzzle.remaining_count, 0};
    h.state.proposal_refused = false;
}

}  // namespace vorlo::bench
