#pragma once

#include <QString>

// The clean-up rules of the reference box and of the proposal editor, on plain text.
namespace vorlo {

// Run when the reference box loses the focus: capitals, blanks trimmed at both ends,
// line breaks joined into blanks. An empty text is returned as it is.
QString clean_reference(const QString& text);

// Run when the proposal editor loses the focus: glued question marks removed, then the
// same clean-up as the reference, and runs of blanks collapsed.
QString clean_proposal(const QString& text);

// Run on a mouse press over the proposal editor: removes every "?" except those with a
// blank on both sides (the start of the text counts as a blank) and one that ends the text.
QString strip_question_marks(const QString& text);

// Each run of blanks reduced to one blank.
QString collapse_blank_runs(const QString& text);

// Capitals, accented letters included; each character keeps its place, so the micro
// sign and letters whose capital is several characters stay as they are.
QString to_capitals(const QString& text);

}  // namespace vorlo
