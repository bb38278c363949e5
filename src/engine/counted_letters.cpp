#include "engine/counted_letters.h"

#include <algorithm>
#include <iterator>

namespace vorlo {

namespace {

constexpr char16_t kInitialisationOrder[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZÀÂÇÉÈÊÙÛŒÔÎË";
static_assert(std::size(kInitialisationOrder) == kCountedLetterCount + 1);

constexpr LetterIndexTable make_letter_index_table() {
    LetterIndexTable table{};
    table.fill(kNotCounted);
    for (int i = 0; i < kCountedLetterCount; ++i) {
        table[kInitialisationOrder[i]] = static_cast<std::uint8_t>(i);
    }
    return table;
}

constexpr LetterIndexTable kLetterIndex = make_letter_index_table();

}  // namespace

const QString& counted_letters() {
    static const QString letters = QString::fromUtf16(kInitialisationOrder, kCountedLetterCount);
    return letters;
}

const QString& tally_order() {
    static const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZÀÇÙÉÛÂÊÈŒÔÎË");
    return letters;
}

const LetterIndexTable& letter_index_table() {
    return kLetterIndex;
}

QString inventory_text(const QString& order, const int* counts, int& total) {
    total = 0;
    qsizetype length = 0;
    for (const QChar letter : order) {
        const int count = counts[kLetterIndex[letter.unicode()]];
        if (count > 0) {
            length += count + 1;
        }
    }
    if (length == 0) {
        return {};
    }
    QString text(length, Qt::Uninitialized);
    QChar* out = text.data();
    for (const QChar letter : order) {
        const int count = counts[kLetterIndex[letter.unicode()]];
        if (count <= 0) {
            continue;
        }
        out = std::fill_n(out, count, letter);
        *out++ = QLatin1Char(' ');
        total += count;
    }
    return text;
}

}  // namespace vorlo
