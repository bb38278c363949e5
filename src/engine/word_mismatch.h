#pragma once

#include <QString>

namespace vorlo {

struct PuzzleState;

// What the word-mismatch dialog shows about a refused proposal.
struct MismatchDialogTexts {
    QString found_word;
    QString proposal_word;
    QString word_number;
};

// The modeless word-mismatch dialog. Opening it must not block the caller.
class WordMismatchDialog {
  public:
    virtual ~WordMismatchDialog() = default;
    virtual void open_refusal(const MismatchDialogTexts& mismatch) = 0;
};

// Range of the proposal that the dialog's OK button marks in red, counted from 0.
struct TextRange {
    int start = 0;
    int length = 0;
};

// The bad word of the last refusal as a range of the proposal; empty when there is none.
TextRange bad_word_range(const PuzzleState& state);

// Fixed captions of the dialog.
namespace mismatch_texts {
QString title();
QString sizes_differ();
QString found_label();
QString proposal_label();
QString position_label();
QString please_correct();
QString ok_button();
}  // namespace mismatch_texts

}  // namespace vorlo
