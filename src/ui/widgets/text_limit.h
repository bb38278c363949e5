#pragma once

#include <QString>

class QKeyEvent;
class QInputMethodEvent;
class QMimeData;
class QTextCursor;

namespace vorlo {

// The most characters a text box of the window holds. The game plays at most 600; a box
// takes more, so that a whole forum post can be pasted and trimmed by hand, and stays far
// below the sizes whose layout in one line takes seconds.
inline constexpr qsizetype kMaxBoxText = 10000;

// What the box would hold after `added` characters replace the selection of `cursor`.
qsizetype length_after(const QTextCursor& cursor, qsizetype added);

// The text a key or an input method would type, empty when it types nothing.
QString typed_text(const QKeyEvent& event);
QString typed_text(const QInputMethodEvent& event);

// The plain text a paste or a drop brings, read once.
QString pasted_text(const QMimeData& source);

// The French notice for input that a box refused: `length` characters would have made the
// box hold more than kMaxBoxText.
QString text_refused_notice(qsizetype length);

// The French notice for a stored text of `length` characters shown cut to kMaxBoxText.
QString stored_text_cut_notice(qsizetype length);

}  // namespace vorlo
