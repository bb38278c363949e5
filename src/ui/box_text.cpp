#include "ui/box_text.h"

#include <QTextDocument>

namespace vorlo {

namespace {
const QString kCrLf = QStringLiteral("\r\n");
}

QString program_text(const QTextDocument& document) {
    // The raw text keeps non-breaking spaces; paragraph and line separators are the breaks.
    QString text = document.toRawText();
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
            result += kCrLf;
        } else {
            result += c;
        }
    }
    return result;
}

QString box_text(const QString& text) {
    QString result = text;
    result.replace(kCrLf, QStringLiteral("\n"));
    return result;
}

}  // namespace vorlo
