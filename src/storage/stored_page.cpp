#include "storage/stored_page.h"

namespace vorlo {

namespace {

QString shown_text(const std::optional<QString>& stored) {
    return stored ? *stored : QStringLiteral("Vide");
}

}  // namespace

LoadedPage loaded_page(const StoredPage& stored) {
    LoadedPage page;
    page.ref = shown_text(stored.base);
    page.soluce = shown_text(stored.result);
    page.propal = shown_text(stored.propal);
    page.lettres = shown_text(stored.lettres);
    page.remaining_count = stored.nb_lettres && *stored.nb_lettres != 0
                               ? QString::number(*stored.nb_lettres)
                               : QStringLiteral("0");
    return page;
}

}  // namespace vorlo
