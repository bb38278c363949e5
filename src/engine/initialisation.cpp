#include "engine/count_caption.h"
#include "engine/counted_letters.h"
#include "engine/message_boxes.h"
#include "engine/messages.h"
#include "engine/puzzle_engine.h"
#include "engine/puzzle_view.h"

#include <algorithm>

namespace vorlo {

namespace {

// Whether two blanks stand side by side; one straight pass without an early exit.
bool has_space_run(const QString& text) {
    const char16_t* c = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype last = text.size() - 1;
    unsigned doubled = 0;
    for (qsizetype k = 0; k < last; ++k) {
        doubled |= static_cast<unsigned>(c[k] == u' ') & static_cast<unsigned>(c[k + 1] == u' ');
    }
    return doubled != 0;
}

QString reduce_space_runs(const QString& text) {
    if (!has_space_run(text)) {
        return text;
    }
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
