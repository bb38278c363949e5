#include "engine/word_fit.h"
#include "engine/puzzle_engine.h"
#include "engine/puzzle_view.h"
#include "engine/word_mismatch.h"

#include <algorithm>

namespace vorlo {

namespace {

constexpr QChar kApostrophe = QLatin1Char('\'');
constexpr QChar kRightQuote = QChar(0x2019);

bool is_apostrophe(QChar c) {
    return c == kApostrophe || c == kRightQuote;
}

// Whether an apostrophe of either kind is followed by a blank somewhere in the text. No
// early exit: the whole text is looked at in one straight pass.
bool has_spaced_elision(const QString& text) {
    const char16_t* c = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype last = text.size() - 1;
    unsigned spaced = 0;
    for (qsizetype k = 0; k < last; ++k) {
        spaced |= static_cast<unsigned>((c[k] == u'\'') | (c[k] == u'\u2019')) &
                  static_cast<unsigned>(c[k + 1] == u' ');
    }
    return spaced != 0;
}

// The charset's characters, as the engine's state marks them at start-up.
const std::array<bool, 0x10000>& word_characters() {
    static const std::array<bool, 0x10000> table = [] {
        PuzzleState state;
        state.start_up();
        return state.word_character_codes;
    }();
    return table;
}

// Removes the one blank after each apostrophe, from the left; `removed` sees the text after
// each removal.
template <typename OnRemoval>
void remove_blanks_after_apostrophes(QString& text, OnRemoval removed) {
    const int typed_len = static_cast<int>(text.size());
    for (int k = 1; k < typed_len && k < text.size(); ++k) {
        if (is_apostrophe(text.at(k - 1)) && text.at(k) == QLatin1Char(' ')) {
            text.remove(k, 1);
            removed(text);
        }
    }
}

}  // namespace

QString join_elisions(const QString& proposal) {
    QString joined = proposal;
    if (has_spaced_elision(joined)) {
        remove_blanks_after_apostrophes(joined, [](const QString&) {});
    }
    return joined;
}

std::optional<WordMismatch> find_word_mismatch(const QString& found_text, const QString& proposal) {
    // Compare word lengths; the words themselves are only built for a refusal. Past the end
    // of a text there is no word character, so a read of a word stops there at the latest.
    const auto& word = word_characters();
    const char16_t* found = reinterpret_cast<const char16_t*>(found_text.constData());
    const char16_t* typed = reinterpret_cast<const char16_t*>(proposal.constData());
    const int found_len = static_cast<int>(found_text.size());
    const int proposal_len = static_cast<int>(proposal.size());
    int p = 0;
    int q = 0;
    int n = 1;
    // Every round moves p forward, and once p is past the found text no word is left to
    // compare. The proposal's position may run ahead of the found text's, past its end.
    while (p != proposal_len && p < found_len) {
        const int found_start = p;
        while (p < found_len && word[found[p]]) {
            ++p;
        }
        const int proposal_start = q;
        while (q < proposal_len && word[typed[q]]) {
            ++q;
        }
        // The last word of a found text that ends inside a word is compared like the rest.
        const int found_word_len = p - found_start;
        if (found_word_len > 0) {
            if (q - proposal_start != found_word_len) {
                return WordMismatch{n, found_text.mid(found_start, found_word_len),
                                    proposal.mid(proposal_start, q - proposal_start),
                                    proposal_start};
            }
            ++n;
        }
        ++p;
        ++q;
    }
    return std::nullopt;
}

void PuzzleEngine::check_word_fit() {
    QString proposal = view_.proposal();
    check_word_fit(view_.found_text(), proposal);
}

bool PuzzleEngine::check_word_fit(const QString& found, QString& proposal) {
    auto& s = state_;
    // Each blank removed after an apostrophe is a change of the proposal in the window.
    const bool rewritten = has_spaced_elision(proposal);
    if (rewritten) {
        remove_blanks_after_apostrophes(proposal,
                                        [this](const QString& text) { view_.set_proposal(text); });
    }
    // The found text is read up to the longest text the engine accepts.
    const std::optional<WordMismatch> mismatch =
        find_word_mismatch(found.left(kMaxTextLength), proposal);
    s.found_word.clear();
    s.bad_word.clear();
    if (mismatch) {
        s.found_word = mismatch->found_word;
        s.bad_word = mismatch->proposal_word;
        refuse_word(mismatch->word_number, mismatch->proposal_start + 1 +
                                               static_cast<int>(mismatch->proposal_word.size()));
    }
    return rewritten;
}

void PuzzleEngine::refuse_word(int word_number, int proposal_pos) {
    auto& s = state_;
    const MismatchDialogTexts mismatch{s.found_word, s.bad_word, QString::number(word_number)};
    s.bad_word_pos = static_cast<qint16>(proposal_pos - s.bad_word.size());
    dialog_.open_refusal(mismatch);
    s.proposal_refused = true;
}

}  // namespace vorlo
