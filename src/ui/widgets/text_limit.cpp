#include "ui/widgets/text_limit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace vorlo {

qsizetype length_after(const QTextCursor& cursor, qsizetype added) {
    const qsizetype held = cursor.document()->characterCount() - 1;  // without the last break
    return held - (cursor.selectionEnd() - cursor.selectionStart()) + added;
}

QString typed_text(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) {
        return QStringLiteral("\n");
    }
    const QString text = event.text();
    const bool prints = std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
    return prints ? text : QString();
}

QString typed_text(const QInputMethodEvent& event) {
    return event.commitString();
}

QString pasted_text(const QMimeData& source) {
    return source.hasText() ? source.text() : QString();
}

namespace {
QString in_french(qsizetype number) {
    return QLocale(QLocale::French, QLocale::France).toString(number);
}
}  // namespace

QString text_refused_notice(qsizetype length) {
    return QStringLiteral(
               "Texte refusé : trop long (%1 caractères). Une zone en garde au plus "
               "%2 ; une proposition n'en compte jamais plus de 600.")
        .arg(in_french(length), in_french(kMaxBoxText));
}

QString stored_text_cut_notice(qsizetype length) {
    return QStringLiteral(
               "La page enregistrée contient un texte trop long (%1 caractères) : "
               "seuls ses %2 premiers caractères sont affichés, et Enregistrer "
               "gardera le texte ainsi raccourci.")
        .arg(in_french(length), in_french(kMaxBoxText));
}

}  // namespace vorlo
