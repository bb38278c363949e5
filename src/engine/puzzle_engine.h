#pragma once

#include "engine/puzzle_state.h"

namespace vorlo {

class PuzzleView;
class MessageBoxes;
class WordMismatchDialog;

// The operations of the puzzle engine over the one PuzzleState and the window's displays.
// Each runs to its end on the user-interface thread and reports failures through the boxes.
class PuzzleEngine {
  public:
    PuzzleEngine(PuzzleState& state, PuzzleView& view, MessageBoxes& boxes,
                 WordMismatchDialog& dialog);

    // "Initialiser": a fresh puzzle from the reference.
    void initialise_puzzle();
    void reset_puzzle();

    // "Générer": play the proposal against the reference.
    void evaluate_proposal();
    void take_snapshot();
    void restore_snapshot();

    // Rebuild the inventory and the remaining count from the reference and the found text.
    void tally_letters();

    // Join elisions in the proposal, then compare word lengths with the found text; a word
    // that does not fit opens the word-mismatch dialog and raises proposal_refused.
    void check_word_fit();

    PuzzleState& state() { return state_; }

  private:
    void add_to_found_count(int amount);
    void refuse_word(int word_number, int proposal_pos);

    PuzzleState& state_;
    PuzzleView& view_;
    MessageBoxes& boxes_;
    WordMismatchDialog& dialog_;
};

}  // namespace vorlo
