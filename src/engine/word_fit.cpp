#include "engine/puzzle_engine.h"
#include "engine/puzzle_view.h"
#include "engine/word_mismatch.h"

#include <algorithm>

namespace vorlo {

namespace {

bool is_apostrophe(QChar c) {
    return c == QLatin1Char('\'') || c == QChar(0x2019);
}

// Reads a working table at a position counted from 1; outside 1..600 it holds nothing.
QChar slot(const std::array<QChar, kMaxTextLength + 1>& table, int pos) {
    return pos >= 1 && pos <= kMaxTextLength ? table[static_cast<std::size_t>(pos)] : QChar();
}

}  // namespace

void PuzzleEngine::check_word_fit() {
    auto& s = state_;
    s.found_chars.fill(QChar());
    s.proposal_chars.fill(QChar());

    const QString found = view_.found_text();
    const int found_len = std::min(static_cast<int>(found.size()), kMaxTextLength);
    for (int k = 1; k <= found_len; ++k) {
        s.found_chars[static_cast<std::size_t>(k)] = found.at(k - 1);
    }

    // Join elisions typed with a blank after the apostrophe.
    QString proposal = view_.proposal();
    const int typed_len = static_cast<int>(proposal.size());
    for (int k = 1; k <= typed_len; ++k) {
        const QChar c = k <= proposal.size() ? proposal.at(k - 1) : QChar();
        if (k <= kMaxTextLength) {
            s.proposal_chars[static_cast<std::size_t>(k)] = c;
        }
        if (is_apostrophe(c) && k < proposal.size() && proposal.at(k) == QLatin1Char(' ')) {
            proposal.remove(k, 1);
            view_.set_proposal(proposal);
        }
    }

    const int proposal_len = static_cast<int>(proposal.size());
    int p = 1;
    int q = 1;
    int n = 1;
    s.found_word.clear();
    s.bad_word.clear();
    // Every round moves p forward, and once p is past the found text no word is left to
    // compare, so the loop always ends within both texts and tables.
    while (p != proposal_len + 1 && p <= found_len) {
        while (s.is_word_character(slot(s.found_chars, p))) {
            s.found_word += slot(s.found_chars, p);
            ++p;
        }
        while (s.is_word_character(slot(s.proposal_chars, q))) {
            s.bad_word += slot(s.proposal_chars, q);
            ++q;
        }
        // The last word of a found text that ends inside a word is compared like the rest.
        if (!s.found_word.isEmpty()) {
            if (s.bad_word.size() != s.found_word.size()) {
                refuse_word(n, q);
                return;
            }
            ++n;
        }
        ++p;
        ++q;
        s.found_word.clear();
        s.bad_word.clear();
    }
}

void PuzzleEngine::refuse_word(int word_number, int proposal_pos) {
    auto& s = state_;
    const WordMismatch mismatch{s.found_word, s.bad_word, QString::number(word_number)};
    s.bad_word_pos = static_cast<qint16>(proposal_pos - s.bad_word.size());
    dialog_.open_refusal(mismatch);
    s.proposal_refused = true;
}

}  // namespace vorlo
