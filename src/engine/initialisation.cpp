#include "engine/counted_letters.h"
#include "engine/puzzle_engine.h"
#include "engine/text_rules.h"

#include <algorithm>

namespace vorlo {

void PuzzleEngine::reset_puzzle() {
    values_.found_text.clear();
    values_.remaining_letters.clear();
    values_.proposal.clear();
    values_.remaining_count = 0;
    state_.letter_counts.fill(0);
}

void PuzzleEngine::initialise_puzzle() {
    refusal_ = Refusal::None;
    mismatch_.reset();
    const QString typed = values_.reference;
    if (typed.isEmpty()) {
        refusal_ = Refusal::NoReference;
        return;
    }
    if (typed.size() > kMaxTextLength) {
        refusal_ = Refusal::TextTooLong;
        return;
    }
    reset_puzzle();

    values_.reference = collapse_blank_runs(typed);
    const QString& reference = values_.reference;

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
    values_.found_text = found;

    int remaining = 0;
    values_.remaining_letters =
        inventory_text(counted_letters(), state_.letter_counts.data(), remaining);
    values_.remaining_count += remaining;

    // A proposal refused right after this must bring back this new puzzle, not the last one.
    take_snapshot();
}

}  // namespace vorlo
