#include "engine/puzzle_engine.h"
#include "engine/word_fit.h"

namespace vorlo {

void PuzzleEngine::check_word_fit() {
    values_.proposal = join_elisions(values_.proposal);
    state_.found_word.clear();
    state_.bad_word.clear();
    mismatch_ = find_word_mismatch(values_.found_text, values_.proposal);
    if (mismatch_) {
        state_.found_word = mismatch_->found_word;
        state_.bad_word = mismatch_->proposal_word;
        state_.bad_word_pos = mismatch_->proposal_start + 1;
        state_.proposal_refused = true;
    }
}

}  // namespace vorlo
