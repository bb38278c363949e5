#include "thread/proposal_finder.h"

#include "engine/puzzle_state.h"
#include "engine/text_rules.h"
#include "engine/word_fit.h"

#include <cstdlib>

namespace vorlo::thread {

namespace {

// A piece of a text: a word, or the run of separators after it.
struct Piece {
    QString text;
    bool word = false;
};

// The engine's own word characters: the charset its state sets up.
bool is_word_character(QChar c) {
    static const PuzzleState state = [] {
        PuzzleState started;
        started.start_up();
        return started;
    }();
    return state.is_word_character(c);
}

// Cuts a text into words, as the word check reads them, and the separator runs between.
std::vector<Piece> pieces(const QString& text) {
    std::vector<Piece> out;
    qsizetype start = 0;
    while (start < text.size()) {
        const bool word = is_word_character(text.at(start));
        qsizetype end = start + 1;
        while (end < text.size() && is_word_character(text.at(end)) == word) {
            ++end;
        }
        out.push_back({text.mid(start, end - start), word});
        start = end;
    }
    return out;
}

bool is_punctuation(QChar c) {
    return !c.isLetter() && c != QLatin1Char('*');
}

// The proposal word with the found word's punctuation put where the word lacks it; empty
// when the word differs in something else.
QString with_punctuation(const QString& found, const QString& word) {
    if (word.size() >= found.size()) {
        return word.size() == found.size() ? word : QString();
    }
    QString out;
    qsizetype j = 0;
    for (const QChar f : found) {
        if (is_punctuation(f) && (j >= word.size() || word.at(j) != f)) {
            out += f;
        } else if (j < word.size() && (is_punctuation(f) || !is_punctuation(word.at(j)))) {
            out += word.at(j++);
        } else {
            return {};
        }
    }
    return j == word.size() ? out : QString();
}

QStringList words_of(const std::vector<Piece>& all) {
    QStringList words;
    for (const Piece& piece : all) {
        if (piece.word) {
            words << piece.text;
        }
    }
    return words;
}

}  // namespace

QStringList FoundProposal::alternatives() const {
    QStringList others;
    for (int i = 0; i < static_cast<int>(candidates.size()); ++i) {
        if (i != chosen && candidates[static_cast<std::size_t>(i)].fits) {
            others << candidates[static_cast<std::size_t>(i)].proposal;
        }
    }
    return others;
}

Candidate prepare_line(const QString& line, const QString& found_text) {
    Candidate candidate;
    candidate.proposal = join_elisions(clean_proposal(line));
    if (found_text.isEmpty()) {
        candidate.distance = 1;  // no puzzle: nothing can fit
        return candidate;
    }
    if (!find_word_mismatch(found_text, candidate.proposal)) {
        candidate.fits = true;
        return candidate;
    }
    const std::vector<Piece> found_pieces = pieces(found_text);
    const QStringList found_words = words_of(found_pieces);
    const QStringList words = words_of(pieces(candidate.proposal));
    // Rebuilt on the found text's separators, each word with its punctuation put back.
    QString rebuilt;
    int unfit = static_cast<int>(std::abs(found_words.size() - words.size()));
    qsizetype w = 0;
    for (const Piece& piece : found_pieces) {
        if (!piece.word) {
            rebuilt += piece.text;
            continue;
        }
        const QString fixed =
            w < words.size() ? with_punctuation(piece.text, words.at(w)) : QString();
        if (fixed.isEmpty() && w < words.size()) {
            ++unfit;
        }
        rebuilt += fixed;
        ++w;
    }
    if (unfit == 0 && !find_word_mismatch(found_text, rebuilt)) {
        candidate.proposal = rebuilt;
        candidate.fits = true;
        return candidate;
    }
    candidate.distance = std::max(unfit, 1);
    return candidate;
}

FoundProposal find_proposal(const QStringList& lines, const QString& found_text) {
    FoundProposal found;
    for (const QString& line : lines) {
        const Candidate candidate = prepare_line(line, found_text);
        if (candidate.proposal.isEmpty()) {
            continue;
        }
        found.candidates.push_back(candidate);
        const int index = static_cast<int>(found.candidates.size()) - 1;
        // The last line that fits; else the closest, the later one on a tie.
        if (found.chosen < 0 ||
            candidate.distance <=
                found.candidates[static_cast<std::size_t>(found.chosen)].distance) {
            found.chosen = index;
        }
    }
    return found;
}

}  // namespace vorlo::thread
