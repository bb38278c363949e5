#include "engine/counted_letters.h"
#include "engine/puzzle_engine.h"
#include "engine/reveal.h"

#include <algorithm>

namespace vorlo {

Reveal reveal_letters(const QString& reference, const QString& found, const QString& proposal) {
    // The reveal, and with it the tally of the letters still hidden in the new found text:
    // each reference letter counts one, each letter of the found text takes one off, so a
    // position revealed now counts nothing. Only a hidden counted letter can be found: a
    // "*" typed in the reference stays as it is, and past the end of the proposal or of
    // the reference nothing matches.
    const LetterIndexTable& letter = letter_index_table();
    Reveal reveal;
    auto& counts = reveal.hidden;
    const qsizetype n = found.size();
    const qsizetype compared = std::min({n, proposal.size(), reference.size()});
    reveal.found_text = QString(n, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(reveal.found_text.data());
    const char16_t* s = reinterpret_cast<const char16_t*>(found.constData());
    const char16_t* p = reinterpret_cast<const char16_t*>(proposal.constData());
    const char16_t* r = reinterpret_cast<const char16_t*>(reference.constData());
    for (qsizetype i = 0; i < compared; ++i) {
        const std::uint8_t reference_letter = letter[r[i]];
        if (s[i] == u'*' && p[i] == r[i] && reference_letter != kNotCounted) {
            out[i] = r[i];
            ++reveal.revealed;
        } else {
            out[i] = s[i];
            ++counts[reference_letter];
            --counts[letter[s[i]]];
        }
    }
    for (qsizetype i = compared; i < n; ++i) {
        out[i] = s[i];
        --counts[letter[s[i]]];
    }
    for (qsizetype i = compared; i < reference.size(); ++i) {
        ++counts[letter[r[i]]];
    }
    return reveal;
}

void PuzzleEngine::evaluate_proposal() {
    refusal_ = Refusal::None;
    mismatch_.reset();
    const QString found = values_.found_text;
    if (found.isEmpty()) {
        refusal_ = Refusal::NotInitialised;
        return;
    }
    // The word check may join elisions in the proposal, which this refers to.
    const QString& proposal = values_.proposal;
    if (proposal.isEmpty()) {
        refusal_ = Refusal::NoProposal;
        return;
    }
    // A reference edited past 600 characters after the initialisation is refused as well,
    // so that no count can leave 0..600.
    const QString& reference = values_.reference;
    if (proposal.size() > kMaxTextLength || reference.size() > kMaxTextLength) {
        refusal_ = Refusal::TextTooLong;
        return;
    }

    check_word_fit();

    const Reveal reveal = reveal_letters(reference, found, proposal);
    values_.found_count = reveal.revealed;
    values_.found_text = reveal.found_text;

    show_letter_tally(reveal.hidden);

    if (state_.proposal_refused) {
        restore_snapshot();
    } else {
        take_snapshot();
    }
}

}  // namespace vorlo
