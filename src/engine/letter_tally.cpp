#include "engine/counted_letters.h"
#include "engine/puzzle_engine.h"

#include <algorithm>

namespace vorlo {

void PuzzleEngine::show_letter_tally(const LetterTally& counts) {
    std::copy_n(counts.begin(), kCountedLetterCount, state_.letter_counts.begin());
    // A count below zero only arises when the found text no longer derives from the
    // reference; such a letter is simply not listed.
    int remaining = 0;
    values_.remaining_letters =
        inventory_text(tally_order(), state_.letter_counts.data(), remaining);
    values_.remaining_count = remaining;
}

}  // namespace vorlo
