#pragma once

#include <QChar>
#include <QString>

#include <array>

namespace vorlo {

// Longest reference or proposal any operation accepts.
inline constexpr int kMaxTextLength = 600;
inline constexpr int kCharsetTableSize = 61;
inline constexpr int kCharsetLength = 56;
inline constexpr int kCountedLetterCount = 38;

// The character set: the characters a word is made of, in their order.
const QString& charset_text();

// The six values of the page that the window shows: the engine reads and writes them here.
struct PuzzleValues {
    QString reference;
    QString found_text;
    QString proposal;
    QString remaining_letters;
    int remaining_count = 0;
    int found_count = 0;
};

// The one shared state of the engine for a run of the program, beside the page's values.
struct PuzzleState {
    QString version;
    QString charset;
    // Slot i holds the i-th character of the charset for i = 1..56; slots 0 and 57..60
    // stay empty (a null QChar).
    std::array<QChar, kCharsetTableSize> charset_table{};
    int charset_pos = 0;
    // Built with the table: whether a character code equals one of its slots 1..56, so
    // that the word check answers with one look-up instead of scanning the table.
    std::array<bool, 0x10000> word_character_codes{};

    // One count per counted letter, indexed as in counted_letters().
    std::array<int, kCountedLetterCount> letter_counts{};

    // Snapshot of the displayed puzzle after the last accepted proposal.
    QString saved_found;
    QString saved_letters;
    int saved_found_count = 0;
    int saved_remaining_count = 0;

    bool proposal_refused = false;
    int bad_word_pos = 0;
    QString bad_word;

    // Working fields of the word check; positions 1..600 are used, 0 stays empty and so
    // does 601, which ends every read of a word.
    QString found_word;
    std::array<QChar, kMaxTextLength + 2> found_chars{};
    std::array<QChar, kMaxTextLength + 2> proposal_chars{};

    // Sets the version, the character set and its table. Runs once when the window opens.
    void start_up();

    // A character belongs to a word when it is one of the charset's slots 1..56.
    bool is_word_character(QChar c) const { return word_character_codes[c.unicode()]; }
};

}  // namespace vorlo
