#include "engine/word_mismatch.h"

#include "engine/puzzle_state.h"

namespace vorlo {

TextRange bad_word_range(const PuzzleState& state) {
    if (state.bad_word_pos < 1 || state.bad_word.isEmpty()) {
        return {};
    }
    return {state.bad_word_pos - 1, static_cast<int>(state.bad_word.size())};
}

}  // namespace vorlo
