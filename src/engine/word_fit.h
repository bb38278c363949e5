#pragma once

#include <QString>

#include <optional>

// The word check on plain texts: a proposal fits the found text when each of its words has
// the length of the found word at the same rank. A word is a run of the charset's
// characters.
namespace vorlo {

// The first word of a proposal that does not fit.
struct WordMismatch {
    int word_number = 0;  // from 1, counting the non-empty found words
    QString found_word;
    QString proposal_word;
    int proposal_start = 0;  // where the proposal word starts in the proposal, from 0
};

// Removes the blank after each apostrophe (' or ’) typed before a word.
QString join_elisions(const QString& proposal);

// The word of `proposal` (elisions already joined) that does not fit `found_text`; nothing
// when every word fits.
std::optional<WordMismatch> find_word_mismatch(const QString& found_text, const QString& proposal);

}  // namespace vorlo
