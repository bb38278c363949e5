#include "engine/puzzle_engine.h"
#include "engine/puzzle_view.h"
#include "engine/word_fit.h"

namespace vorlo {

void PuzzleEngine::check_word_fit() {
    QString proposal = view_.proposal();
    check_word_fit(view_.found_text(), proposal);
}

bool PuzzleEngine::check_word_fit(const QString& found, QString& proposal) {
    // Each blank removed is a change of the proposal.
    bool rewritten = false;
    join_elisions(proposal, [this, &rewritten](const QString& joined) {
        view_.set_proposal(joined);
        rewritten = true;
    });
    state_.found_word.clear();
    state_.bad_word.clear();
    mismatch_ = find_word_mismatch(found, proposal);
    if (mismatch_) {
        state_.found_word = mismatch_->found_word;
        state_.bad_word = mismatch_->proposal_word;
        state_.bad_word_pos = static_cast<qint16>(mismatch_->proposal_start + 1);
        state_.proposal_refused = true;
    }
    return rewritten;
}

}  // namespace vorlo
