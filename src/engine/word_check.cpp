#include "engine/puzzle_engine.h"
#include "engine/puzzle_view.h"
#include "engine/word_fit.h"
#include "engine/word_mismatch.h"

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
    if (const std::optional<WordMismatch> mismatch = find_word_mismatch(found, proposal)) {
        state_.found_word = mismatch->found_word;
        state_.bad_word = mismatch->proposal_word;
        state_.bad_word_pos = static_cast<qint16>(mismatch->proposal_start + 1);
        dialog_.open_refusal(*mismatch);
        state_.proposal_refused = true;
    }
    return rewritten;
}

}  // namespace vorlo
