#include "report/forum_message.h"

namespace vorlo {

namespace {}

QString name_as_text(const QString& name) {
    QString text;
    text.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name.at(i).unicode();
        if ((c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069)) {
            continue;  // embeddings, overrides and isolates
        }
        if (c == 13 && i + 1 < name.size() && name.at(i + 1) == QChar(10)) {
            continue;  // the line feed after it makes the blank
        }
        const bool line_break = c == 10 || c == 13 || c == 0x2028 || c == 0x2029;
        text += line_break ? QChar(QLatin1Char(' ')) : name.at(i);
    }
    return text;
}

QString bbcode_name(const QString& name) {
    QString text = name_as_text(name);
    text.replace(QLatin1Char('['), QChar(0x27E6));
    text.replace(QLatin1Char(']'), QChar(0x27E7));
    return text;
}

QString puzzle_text_line(const QString& text) {
    return QStringLiteral("[font=Courier New][size=5]") + text + QStringLiteral("[/size][/font]") +
           kPostLineEnd;
}

QString build_forum_message(const QString& found_text, int found_count, int remaining_count,
                            const QString& remaining_letters) {
    const QString counter_opening = QStringLiteral("[b][color=#FF0000]");
    QString message = puzzle_text_line(found_text);

    if (remaining_count == 0) {
        message += kPostLineEnd;
        message +=
            QStringLiteral("[b][color=#FF0000]Bravo, c'est gagné ![/color][/b]") + kPostLineEnd;
        return message;
    }
    message += counter_opening + QString::number(found_count) +
               QStringLiteral("[/color][/b] lettre(s) trouvée(s). ") + kPostLineEnd;
    message += counter_opening + QString::number(remaining_count) +
               QStringLiteral("[/color][/b] lettres à placer ") + kPostLineEnd;
    message += QStringLiteral("[font=Courier New][size=5][color=#4132F5]") + remaining_letters +
               QStringLiteral("[/color][/size][/font]") + kPostLineEnd;
    return message;
}

}  // namespace vorlo
