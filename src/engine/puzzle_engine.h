#pragma once

#include "engine/puzzle_state.h"
#include "engine/word_fit.h"

#include <optional>

namespace vorlo {

// Why an operation refused to run; a refused operation changes nothing.
enum class Refusal {
    None,
    NoReference,     // "Initialiser" without a reference
    TextTooLong,     // a reference or a proposal above 600 characters
    NotInitialised,  // "Générer" before any puzzle
    NoProposal,      // "Générer" without a proposal
};

// The operations of the puzzle engine over the one PuzzleState and the page's values. Each
// runs to its end and leaves what it refused, or the word that did not fit, to be read
// afterwards.
class PuzzleEngine {
  public:
    PuzzleEngine(PuzzleState& state, PuzzleValues& values);

    // "Initialiser": a fresh puzzle from the reference.
    void initialise_puzzle();
    void reset_puzzle();

    // "Générer": play the proposal against the reference.
    void evaluate_proposal();
    void take_snapshot();
    void restore_snapshot();

    // Join elisions in the proposal, then compare word lengths with the found text; a word
    // that does not fit is kept as the mismatch and raises proposal_refused.
    void check_word_fit();

    PuzzleState& state() { return state_; }
    PuzzleValues& values() { return values_; }

    // What the last initialisation or evaluation refused, and the word of the proposal the
    // last word check refused; each operation starts them afresh.
    Refusal refusal() const { return refusal_; }
    const std::optional<WordMismatch>& mismatch() const { return mismatch_; }

  private:
    // The tally's counts, one slot per counted letter and a spare one where every other
    // character falls, into the letter counts, the inventory and the remaining count.
    using LetterTally = std::array<int, kCountedLetterCount + 1>;
    void show_letter_tally(const LetterTally& counts);

    PuzzleState& state_;
    PuzzleValues& values_;
    Refusal refusal_ = Refusal::None;
    std::optional<WordMismatch> mismatch_;
};

}  // namespace vorlo
