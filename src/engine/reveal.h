#pragma once

#include "engine/puzzle_state.h"

#include <QString>

#include <array>

namespace vorlo {

// What a proposal does to the found text: the new found text, how many letters it
// revealed, and how many of each counted letter stay hidden after it (indexed as in
// counted_letters(); the last slot gathers every other character and means nothing).
struct Reveal {
    QString found_text;
    int revealed = 0;
    std::array<int, kCountedLetterCount + 1> hidden{};
};

// Reveals each hidden letter of the reference whose position the proposal gets right.
Reveal reveal_letters(const QString& reference, const QString& found_text, const QString& proposal);

}  // namespace vorlo
