#include "engine/counted_letters.h"

namespace vorlo {

const QString& counted_letters() {
    static const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZÀÂÇÉÈÊÙÛŒÔÎË");
    return letters;
}

const QString& tally_order() {
    static const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZÀÇÙÉÛÂÊÈŒÔÎË");
    return letters;
}

int counted_letter_index(QChar c) {
    if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) {
        return c.unicode() - 'A';
    }
    const qsizetype at = counted_letters().indexOf(c, 26);
    return at < 0 ? -1 : static_cast<int>(at);
}

QString inventory_text(const QString& order, const qint16* counts, int& total) {
    QString text;
    total = 0;
    for (const QChar letter : order) {
        const qint16 count = counts[counted_letter_index(letter)];
        if (count <= 0) {
            continue;
        }
        text += QString(count, letter);
        text += QLatin1Char(' ');
        total += count;
    }
    return text;
}

}  // namespace vorlo
