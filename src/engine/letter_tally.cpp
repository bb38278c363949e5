#include "engine/count_caption.h"
#include "engine/counted_letters.h"
#include "engine/puzzle_engine.h"
#include "engine/puzzle_view.h"

namespace vorlo {

void PuzzleEngine::tally_letters() {
    auto& counts = state_.letter_counts;
    counts.fill(0);
    for (const QChar c : view_.reference()) {
        const int letter = counted_letter_index(c);
        if (letter >= 0) {
            ++counts[static_cast<std::size_t>(letter)];
        }
    }
    for (const QChar c : view_.found_text()) {
        if (c == QLatin1Char('*')) {
            continue;
        }
        const int letter = counted_letter_index(c);
        if (letter >= 0) {
            --counts[static_cast<std::size_t>(letter)];
        }
    }
    // A count below zero only arises when the reference was edited after the
    // initialisation; such a letter is simply not listed.
    int remaining = 0;
    const QString letters = inventory_text(tally_order(), counts.data(), remaining);
    view_.set_remaining_count(caption_text(0));
    view_.set_remaining_letters(letters);
    view_.set_remaining_count(caption_text(caption_value(view_.remaining_count()) + remaining));
}

}  // namespace vorlo
