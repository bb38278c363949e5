#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace vorlo::thread {

// A line of a post made ready to be played against the found text.
struct Candidate {
    QString proposal;  // as Générer would read it: cleaned, elisions joined
    bool fits = false;
    int distance = 0;  // 0 when it fits; else how far its words are from the hidden ones
};

// The proposal of a post: of its lines, the last that fits, else the closest.
struct FoundProposal {
    std::vector<Candidate> candidates;  // one per line that holds something, in order
    int chosen = -1;                    // index in candidates; -1 when the post holds nothing
    bool fits() const { return chosen >= 0 && candidates[chosen].fits; }
    QString proposal() const { return chosen >= 0 ? candidates[chosen].proposal : QString(); }
    // The other lines that fit.
    QStringList alternatives() const;
};

// A line cleaned as the proposal editor does, its elisions joined as the word check does;
// when its words then do not fit only because punctuation of the found text is missing
// (a comma after a word, an apostrophe, the blank before an exclamation mark), that
// punctuation is put back.
Candidate prepare_line(const QString& line, const QString& found_text);

FoundProposal find_proposal(const QStringList& lines, const QString& found_text);

}  // namespace vorlo::thread
