#pragma once

#include "engine/puzzle_state.h"

#include <QChar>
#include <QString>

#include <array>
#include <cstdint>

namespace vorlo {

// The 38 counted letters in the order the initialisation lists them; the index of a
// letter in this text is its index in PuzzleState::letter_counts.
const QString& counted_letters();

// The same letters in the order the tally lists them after a proposal.
const QString& tally_order();

// Index of each character code in counted_letters(), kNotCounted for a character that is
// not a counted letter, so that a pass over a text finds each letter with one look-up.
inline constexpr std::uint8_t kNotCounted = kCountedLetterCount;
using LetterIndexTable = std::array<std::uint8_t, 0x10000>;
const LetterIndexTable& letter_index_table();

// Letter groups of an inventory: each letter of `order` whose count is above zero,
// written once per unit of its count and followed by one blank. Counts at or below zero
// add nothing. `total` receives the sum of the listed counts.
QString inventory_text(const QString& order, const int* counts, int& total);

}  // namespace vorlo
