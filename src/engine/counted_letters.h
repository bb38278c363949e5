#pragma once

#include <QChar>
#include <QString>

namespace vorlo {

// The 38 counted letters in the order the initialisation lists them; the index of a
// letter in this text is its index in PuzzleState::letter_counts.
const QString& counted_letters();

// The same letters in the order the tally lists them after a proposal.
const QString& tally_order();

// Index of a counted letter in counted_letters(), or -1 for any other character.
int counted_letter_index(QChar c);

// Letter groups of an inventory: each letter of `order` whose count is above zero,
// written once per unit of its count and followed by one blank. Counts at or below zero
// add nothing. `total` receives the sum of the listed counts.
QString inventory_text(const QString& order, const qint16* counts, int& total);

}  // namespace vorlo
