#pragma once

#include <QString>

#include <optional>

namespace vorlo {

// The first word of a proposal whose length differs from the word of the same rank in the
// found text.
struct WordMismatch {
    int word_number = 0;  // rank of the word, from 1
    QString found_word;
    QString proposal_word;
    int proposal_start = 0;  // index of the bad word in the proposal, from 0
};

// The proposal with the blank after each apostrophe (' or ’) removed, one blank at a time
// from the left, as the evaluation joins elisions before it compares words.
QString join_elisions(QString proposal);

// Compares word lengths, rank by rank, between the found text and a proposal whose elisions
// are already joined; nothing when every word fits. A word is a run of characters of the
// character set; both texts are read up to 600 characters.
std::optional<WordMismatch> find_word_mismatch(const QString& found_text, const QString& proposal);

}  // namespace vorlo
