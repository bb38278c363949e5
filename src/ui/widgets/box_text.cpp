#include "ui/widgets/box_text.h"

#include <QTextDocument>

namespace vorlo {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The raw text keeps non-breaking spaces; paragraph and line separators are the breaks.
QString with_breaks(const QTextDocument& document, const QString& line_break) {
    const QString text = document.toRawText();
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
            result += line_break;
        } else {
            result += c;
        }
    }
    return result;
}

}  // namespace

QString program_text(const QTextDocument& document) {
    return with_breaks(document, kCrLf);
}

QString box_text(const QTextDocument& document) {
    return with_breaks(document, QStringLiteral("\n"));
}

QString box_text(const QString& text) {
    QString result = text;
    result.replace(kCrLf, QStringLiteral("\n"));
    return result;
}

}  // namespace vorlo
