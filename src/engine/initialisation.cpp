#include "engine/count_caption.h"
#include "engine/counted_letters.h"
#include "engine/message_boxes.h"
#include "engine/messages.h"
#include "engine/puzzle_engine.h"
#include "engine/puzzle_view.h"

namespace vorlo {

namespace {

QString reduce_space_runs(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char(' ') && out.endsWith(QLatin1Char(' '))) {
            continue;
        }
        out += c;
    }
    return out;
}

}  // namespace

void PuzzleEngine::reset_puzzle() {
    view_.set_found_text(QString());
    view_.set_remaining_letters(QString());
    view_.set_proposal(QString());
    view_.set_remaining_count(caption_text(0));
    state_.letter_counts.fill(0);
}

void PuzzleEngine::initialise_puzzle() {
    const QString typed = view_.reference();
    if (typed.isEmpty()) {
        boxes_.show_message(MessageIcon::Critical, MessageButtons::Ok, messages::no_reference());
        return;
    }
    if (typed.size() > kMaxTextLength) {
        boxes_.show_message(MessageIcon::Critical, MessageButtons::Ok, messages::text_too_long());
        return;
    }
    reset_puzzle();

    const QString reference = reduce_space_runs(typed);
    if (reference != typed) {
        view_.set_reference(reference);
    }

    QString found;
    found.reserve(reference.size());
    for (const QChar c : reference) {
        const int letter = counted_letter_index(c);
        if (letter >= 0) {
            found += QLatin1Char('*');
            ++state_.letter_counts[static_cast<std::size_t>(letter)];
        } else {
            found += c;
        }
    }
    view_.set_found_text(found);

    int remaining = 0;
    view_.set_remaining_letters(
        inventory_text(counted_letters(), state_.letter_counts.data(), remaining));
    view_.set_remaining_count(caption_text(caption_value(view_.remaining_count()) + remaining));

    // A proposal refused right after this must bring back this new puzzle, not the last one.
    take_snapshot();
}

}  // namespace vorlo
