#include "engine/puzzle_engine.h"

namespace vorlo {

PuzzleEngine::PuzzleEngine(PuzzleState& state, PuzzleValues& values)
    : state_(state), values_(values) {}

void PuzzleEngine::take_snapshot() {
    state_.saved_found = values_.found_text;
    state_.saved_letters = values_.remaining_letters;
    state_.saved_found_count = values_.found_count;
    state_.saved_remaining_count = values_.remaining_count;
}

void PuzzleEngine::restore_snapshot() {
    values_.found_text = state_.saved_found;
    values_.remaining_count = state_.saved_remaining_count;
    values_.found_count = state_.saved_found_count;
    values_.remaining_letters = state_.saved_letters;
    state_.proposal_refused = false;
}

}  // namespace vorlo
