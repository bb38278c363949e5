#include "storage/stored_page.h"

#include "storage/field_values.h"

#include <algorithm>

namespace vorlo {

namespace {

QString shown_text(const std::optional<QString>& stored) {
    return stored ? *stored : QStringLiteral("Vide");
}

// The letters still hidden in a stored found text: its "*", except those that stand for a
// "*" of the reference itself.
int hidden_letters(const std::optional<QString>& found, const std::optional<QString>& reference) {
    if (!found) {
        return 0;
    }
    const QString ref = reference.value_or(QString());
    int hidden = 0;
    for (qsizetype i = 0; i < found->size(); ++i) {
        if (found->at(i) == QLatin1Char('*') &&
            !(i < ref.size() && ref.at(i) == QLatin1Char('*'))) {
            ++hidden;
        }
    }
    // No found text the program makes holds more; a larger one still shows letters to find
    // and can be saved.
    return std::min(hidden, field_values::kMaxCount);
}

}  // namespace

StoredPage shown_page(const StoredPage& stored) {
    StoredPage page;
    page.base = shown_text(stored.base);
    page.result = shown_text(stored.result);
    page.propal = shown_text(stored.propal);
    page.lettres = shown_text(stored.lettres);
    // A stored count that cannot serve is counted again from the found text, so that a page
    // with letters still hidden never shows "0" and never ends in a false win.
    page.nb_lettres =
        stored.nb_lettres ? *stored.nb_lettres : hidden_letters(stored.result, stored.base);
    return page;
}

}  // namespace vorlo
