#include "engine/count_caption.h"
#include "engine/counted_letters.h"
#include "engine/message_boxes.h"
#include "engine/messages.h"
#include "engine/puzzle_engine.h"
#include "engine/puzzle_view.h"

namespace vorlo {

namespace {

// The character at a position counted from 1; past the end, none.
QChar char_at(const QString& text, int pos) {
    return pos >= 1 && pos <= text.size() ? text.at(pos - 1) : QChar();
}

}  // namespace

void PuzzleEngine::evaluate_proposal() {
    if (view_.found_text().isEmpty()) {
        boxes_.show_message(MessageIcon::Exclamation, MessageButtons::Ok,
                            messages::not_initialised());
        return;
    }
    if (view_.proposal().isEmpty()) {
        boxes_.show_message(MessageIcon::Exclamation, MessageButtons::Ok, messages::no_proposal());
        return;
    }
    // A reference edited past 600 characters after the initialisation is refused as well,
    // so that no count can leave 0..600.
    if (view_.proposal().size() > kMaxTextLength || view_.reference().size() > kMaxTextLength) {
        boxes_.show_message(MessageIcon::Critical, MessageButtons::Ok, messages::text_too_long());
        return;
    }

    check_word_fit();

    view_.set_found_count(caption_text(0));
    const QString reference = view_.reference();
    const QString proposal = view_.proposal();
    const QString found = view_.found_text();
    const int n = static_cast<int>(found.size());
    QString result;
    result.reserve(n);
    int revealed = 0;
    for (int i = 1; i <= n; ++i) {
        const QChar r = char_at(reference, i);
        const QChar p = char_at(proposal, i);
        QChar s = char_at(found, i);
        // Only a hidden counted letter can be found: a "*" typed in the reference stays as it
        // is, and past the end of the proposal nothing matches.
        if (!p.isNull() && p == r && s == QLatin1Char('*') && counted_letter_index(r) >= 0) {
            ++revealed;
            s = r;
        }
        result += s;
    }
    add_to_found_count(revealed);
    view_.set_found_text(result);

    tally_letters();

    if (state_.proposal_refused) {
        restore_snapshot();
    } else {
        take_snapshot();
    }
}

}  // namespace vorlo
