#include "engine/count_caption.h"
#include "engine/counted_letters.h"
#include "engine/puzzle_engine.h"
#include "engine/puzzle_view.h"

#include <algorithm>

namespace vorlo {

void PuzzleEngine::tally_letters() {
    const LetterIndexTable& letter = letter_index_table();
    LetterTally counts{};
    for (const QChar c : view_.reference()) {
        ++counts[letter[c.unicode()]];
    }
    // "*" is not a counted letter: hidden positions fall in the spare slot.
    for (const QChar c : view_.found_text()) {
        --counts[letter[c.unicode()]];
    }
    show_letter_tally(counts);
}

void PuzzleEngine::show_letter_tally(const LetterTally& counts) {
    std::copy_n(counts.begin(), kCountedLetterCount, state_.letter_counts.begin());
    // A count below zero only arises when the reference was edited after the
    // initialisation; such a letter is simply not listed.
    int remaining = 0;
    const QString letters = inventory_text(tally_order(), state_.letter_counts.data(), remaining);
    view_.set_remaining_letters(letters);
    view_.set_remaining_count(caption_text(remaining));
}

}  // namespace vorlo
