#include "report/forum_message.h"

namespace vorlo {

namespace {
constexpr QChar kCr = kPostLineEnd;
}

QString puzzle_text_line(const QString& text) {
    return QStringLiteral("[font=Courier New][size=5]") + text + QStringLiteral("[/size][/font]") +
           kCr;
}

QString build_forum_message(const QString& found_text, int found_count, int remaining_count,
                            const QString& remaining_letters) {
    const QString counter_opening = QStringLiteral("[b][color=#FF0000]");
    QString message = puzzle_text_line(found_text);

    if (remaining_count == 0) {
        message += kCr;
        message += QStringLiteral("[b][color=#FF0000]Bravo, c'est gagné ![/color][/b]") + kCr;
        return message;
    }
    message += counter_opening + QString::number(found_count) +
               QStringLiteral("[/color][/b] lettre(s) trouvée(s). ") + kCr;
    message += counter_opening + QString::number(remaining_count) +
               QStringLiteral("[/color][/b] lettres à placer ") + kCr;
    message += QStringLiteral("[font=Courier New][size=5][color=#4132F5]") + remaining_letters +
               QStringLiteral("[/color][/size][/font]") + kCr;
    return message;
}

}  // namespace vorlo
