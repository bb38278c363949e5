#include "thread/thread_messages.h"

namespace vorlo::thread::messages {

QString unsupported_page() {
    return QStringLiteral(
        "Cette page n'est pas un fil de discussion que Vorlo sait lire. Vorlo lit les fils des "
        "forums phpBB 3 (style prosilver et styles dérivés), XenForo 2 et Discourse.");
}
QString login_required() {
    return QStringLiteral(
        "Le forum demande de se connecter pour montrer ce fil. Vorlo ne lit que les fils "
        "ouverts aux visiteurs.");
}
QString not_found() {
    return QStringLiteral(
        "Ce fil est introuvable sur le forum (erreur 404). Vérifiez son adresse.");
}
QString server_error(int status) {
    return QStringLiteral("Le forum a répondu par une erreur (%1). Réessayez plus tard.")
        .arg(status);
}
QString refused_page(int status) {
    return QStringLiteral("Le forum a refusé la page du fil (erreur %1).").arg(status);
}
QString timed_out(int seconds) {
    return QStringLiteral(
               "Le forum n'a pas envoyé la page du fil en %1 secondes. Réessayez plus tard.")
        .arg(seconds);
}
QString unreachable() {
    return QStringLiteral(
        "Impossible de joindre le forum. Vérifiez la connexion au réseau et l'adresse du fil.");
}
QString page_too_large(int megabytes) {
    return QStringLiteral("Une page du fil dépasse %1 Mo : elle n'est pas lue.").arg(megabytes);
}
QString address_scheme() {
    return QStringLiteral("L'adresse du fil doit commencer par http:// ou https://.");
}
QString redirect_scheme() {
    return QStringLiteral(
        "Le forum renvoie vers une adresse qui n'est ni en http ni en https : la lecture est "
        "arrêtée.");
}
QString no_address() {
    return QStringLiteral("Indiquez l'adresse du fil.");
}
QString cancelled() {
    return QStringLiteral("Lecture annulée.");
}
QString page_limit(int pages) {
    return QStringLiteral(
               "La lecture s'est arrêtée après %1 pages : cliquez de nouveau sur "
               "« Lire » pour la suite du fil.")
        .arg(pages);
}

}  // namespace vorlo::thread::messages
