#include "engine/puzzle_engine.h"

#include "engine/count_caption.h"
#include "engine/puzzle_view.h"

namespace vorlo {

PuzzleEngine::PuzzleEngine(PuzzleState& state, PuzzleView& view) : state_(state), view_(view) {}

void PuzzleEngine::take_snapshot() {
    state_.saved_found = view_.found_text();
    state_.saved_letters = view_.remaining_letters();
    state_.saved_found_count = static_cast<qint16>(caption_value(view_.found_count()));
    state_.saved_remaining_count = static_cast<qint16>(caption_value(view_.remaining_count()));
    ++snapshots_taken_;
}

void PuzzleEngine::restore_snapshot() {
    view_.set_found_text(state_.saved_found);
    view_.set_remaining_count(caption_text(state_.saved_remaining_count));
    view_.set_found_count(caption_text(state_.saved_found_count));
    view_.set_remaining_letters(state_.saved_letters);
    state_.proposal_refused = false;
}

}  // namespace vorlo
