#pragma once

#include "engine/word_fit.h"

#include <QString>

namespace vorlo {

struct PuzzleState;

// Range of the proposal that the dialog's OK button marks in red, counted from 0.
struct TextRange {
    int start = 0;
    int length = 0;
};

// The bad word of the last refusal as a range of the proposal; empty when there is none.
TextRange bad_word_range(const PuzzleState& state);

}  // namespace vorlo
