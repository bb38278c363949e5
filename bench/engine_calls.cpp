// Calls one engine operation, or the single pass it is measured against, COUNT times on
// 600-character French texts, each call from the freshly initialised puzzle. Made to run
// under callgrind with --toggle-collect on the operation, so that only the calls count:
//
//   engine_calls single_pass|initialise_puzzle|evaluate_proposal|check_word_fit COUNT
//
// It ends with status 1 when an operation did not do its work (a refusal, nothing revealed).
#include "bench_texts.h"
#include "puzzle_restart.h"
#include "single_pass.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

using vorlo::bench::BenchEngine;

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: engine_calls OPERATION COUNT\n");
        return 2;
    }
    const char* operation = argv[1];
    const int count = std::max(1, std::atoi(argv[2]));

    BenchEngine h;
    const QString reference = vorlo::bench::full_length_text();
    const vorlo::bench::InitialisedPuzzle puzzle = vorlo::bench::initialised(h, reference);
    bool done = true;
    for (int i = 0; i < count; ++i) {
        vorlo::bench::restart(h, puzzle, reference);
        if (std::strcmp(operation, "single_pass") == 0) {
            int revealed = 0;
            const QString found = vorlo::bench::single_pass(h.values.reference, h.values.proposal,
                                                            h.values.found_text, revealed);
            done = done && found == reference;
        } else if (std::strcmp(operation, "initialise_puzzle") == 0) {
            h.engine.initialise_puzzle();
            done = done && h.values.found_text == puzzle.found;
        } else if (std::strcmp(operation, "evaluate_proposal") == 0) {
            h.engine.evaluate_proposal();
            done = done && h.values.found_text == reference;
        } else if (std::strcmp(operation, "check_word_fit") == 0) {
            h.engine.check_word_fit();
            done = done && !h.state.proposal_refused;
        } else {
            std::fprintf(stderr, "engine_calls: unknown operation %s\n", operation);
            return 2;
        }
    }
    done = done && !h.refused();
    return done ? 0 : 1;
}
