#include "engine/word_fit.h"

#include "engine/puzzle_state.h"

#include <algorithm>
#include <array>

namespace vorlo {

namespace {

bool is_apostrophe(QChar c) {
    return c == QLatin1Char('\'') || c == QChar(0x2019);
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

// Whether each character code belongs to a word: one of the character set's characters.
const std::array<bool, 0x10000>& word_characters() {
    static const std::array<bool, 0x10000> table = [] {
        std::array<bool, 0x10000> codes{};
        for (const QChar c : charset_text()) {
            codes[c.unicode()] = true;
        }
        return codes;
    }();
    return table;
}

}  // namespace

QString join_elisions(QString proposal) {
    if (!has_spaced_elision(proposal)) {
        return proposal;
    }
    const qsizetype typed_len = proposal.size();
    for (qsizetype k = 1; k < typed_len && k < proposal.size(); ++k) {
        if (is_apostrophe(proposal.at(k - 1)) && proposal.at(k) == QLatin1Char(' ')) {
            proposal.remove(k, 1);
        }
    }
    return proposal;
}

std::optional<WordMismatch> find_word_mismatch(const QString& found_text, const QString& proposal) {
    // Positions 1..600 hold the texts; 0 and 601 stay empty, which is no word character,
    // so that every read of a word stops within the tables.
    std::array<QChar, kMaxTextLength + 2> found_chars{};
    std::array<QChar, kMaxTextLength + 2> proposal_chars{};
    const int found_len = std::min(static_cast<int>(found_text.size()), kMaxTextLength);
    std::copy_n(found_text.constData(), found_len, found_chars.begin() + 1);
    const int proposal_len = static_cast<int>(proposal.size());
    const int table_len = std::min(proposal_len, kMaxTextLength);
    std::copy_n(proposal.constData(), table_len, proposal_chars.begin() + 1);

    // Compare word lengths; the words themselves are only built for a refusal. The
    // proposal's position may run ahead of the found text's, past the end of its table,
    // where there is no word to read.
    const auto& word = word_characters();
    int p = 1;
    int q = 1;
    int n = 1;
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
                return WordMismatch{
                    n, QString(found_chars.data() + found_start, found_word_len),
                    QString(proposal_chars.data() + proposal_start, q - proposal_start),
                    proposal_start - 1};
            }
            ++n;
        }
        ++p;
        ++q;
    }
    return std::nullopt;
}

}  // namespace vorlo
