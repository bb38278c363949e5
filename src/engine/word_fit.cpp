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

}  // namespace

void PuzzleEngine::check_word_fit() {
    QString proposal = view_.proposal();
    check_word_fit(view_.found_text(), proposal);
}

bool PuzzleEngine::check_word_fit(const QString& found, QString& proposal) {
    auto& s = state_;
    s.found_chars.fill(QChar());
    s.proposal_chars.fill(QChar());
    const int found_len = std::min(static_cast<int>(found.size()), kMaxTextLength);
    std::copy_n(found.constData(), found_len, s.found_chars.begin() + 1);

    // Join elisions typed with a blank after the apostrophe, one blank at a time, each
    // removal a change of the proposal.
    const bool rewritten = has_spaced_elision(proposal);
    if (rewritten) {
        const int typed_len = static_cast<int>(proposal.size());
        for (int k = 1; k < typed_len && k < proposal.size(); ++k) {
            if (is_apostrophe(proposal.at(k - 1)) && proposal.at(k) == QLatin1Char(' ')) {
                proposal.remove(k, 1);
                view_.set_proposal(proposal);
            }
        }
    }
    const int proposal_len = static_cast<int>(proposal.size());
    const int table_len = std::min(proposal_len, kMaxTextLength);
    std::copy_n(proposal.constData(), table_len, s.proposal_chars.begin() + 1);

    // Compare word lengths; the words themselves are only built for a refusal. Positions
    // past the end of a text hold nothing, which is not a word character: a read of a
    // word stops there at the latest. The proposal's position may run ahead of the found
    // text's, past the end of its table, where there is no word to read.
    const auto& word = s.word_character_codes;
    const auto& found_chars = s.found_chars;
    const auto& proposal_chars = s.proposal_chars;
    int p = 1;
    int q = 1;
    int n = 1;
    s.found_word.clear();
    s.bad_word.clear();
    // Every round moves p forward, and once p is past the found text no word is left to
    // compare, so the loop always ends within both texts and tables.
    while (p != proposal_len + 1 && p <= found_len) {
        const int found_start = p;
        while (word[found_chars[static_cast<std::size_t>(p)].unicode()]) {
            ++p;
        }
        const int proposal_start = q;
        if (q <= table_len) {
            while (word[proposal_chars[static_cast<std::size_t>(q)].unicode()]) {
                ++q;
            }
        }
        // The last word of a found text that ends inside a word is compared like the rest.
        const int found_word_len = p - found_start;
        if (found_word_len > 0) {
            if (q - proposal_start != found_word_len) {
                s.found_word = QString(found_chars.data() + found_start, found_word_len);
                s.bad_word = QString(proposal_chars.data() + proposal_start, q - proposal_start);
                refuse_word(n, q);
                return rewritten;
            }
            ++n;
        }
        ++p;
        ++q;
    }
    return rewritten;
}

void PuzzleEngine::refuse_word(int word_number, int proposal_pos) {
    auto& s = state_;
    const WordMismatch mismatch{s.found_word, s.bad_word, QString::number(word_number)};
    s.bad_word_pos = static_cast<qint16>(proposal_pos - s.bad_word.size());
    dialog_.open_refusal(mismatch);
    s.proposal_refused = true;
}

}  // namespace vorlo
