#include "engine/count_caption.h"
#include "engine/counted_letters.h"
#include "engine/puzzle_engine.h"
#include "engine/puzzle_view.h"
#include "engine/text_rules.h"

#include <algorithm>

namespace vorlo {

void PuzzleEngine::reset_puzzle() {
    view_.set_found_text(QString());
    view_.set_remaining_letters(QString());
    view_.set_proposal(QString());
    view_.set_remaining_count(caption_text(0));
    state_.letter_counts.fill(0);
}

void PuzzleEngine::initialise_puzzle() {
    refusal_ = Refusal::None;
    mismatch_.reset();
    const QString typed = view_.reference();
    if (typed.isEmpty()) {
        refusal_ = Refusal::NoReference;
        return;
    }
    if (typed.size() > kMaxTextLength) {
        refusal_ = Refusal::TextTooLong;
        return;
    }
    reset_puzzle();

    const QString reference = collapse_blank_runs(typed);
    if (reference != typed) {
        view_.set_reference(reference);
    }

    // One slot per counted letter and one more where every other character falls.
    const LetterIndexTable& letter = letter_index_table();
    LetterTally counts{};
    QString found(reference.size(), Qt::Uninitialized);
    QChar* out = found.data();
    for (const QChar c : reference) {
        const std::uint8_t index = letter[c.unicode()];
        ++counts[index];
        *out++ = index == kNotCounted ? c : QLatin1Char('*');
    }
    std::copy_n(counts.begin(), kCountedLetterCount, state_.letter_counts.begin());
    view_.set_found_text(found);

    int remaining = 0;
    view_.set_remaining_letters(
        inventory_text(counted_letters(), state_.letter_counts.data(), remaining));
    view_.set_remaining_count(caption_text(caption_value(view_.remaining_count()) + remaining));

    // A proposal refused right after this must bring back this new puzzle, not the last one.
    take_snapshot();
}

}  // namespace vorlo
