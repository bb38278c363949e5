#pragma once

#include <QString>

class QTextDocument;

namespace vorlo {

// The program sees the text of a box with its line breaks as a carriage return and a line
// feed, the way the clean-up rules expect them; the box itself keeps paragraphs.
QString program_text(const QTextDocument& document);
// The box's own text, one character a position: each break is one line feed.
QString box_text(const QTextDocument& document);
// The text to put into a box for a program text: each CR LF becomes one paragraph break.
QString box_text(const QString& text);

}  // namespace vorlo
