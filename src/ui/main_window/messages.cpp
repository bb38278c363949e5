#include "ui/main_window/messages.h"

namespace vorlo::messages {

QString application_title() {
    return QStringLiteral("vorlo");
}

QString no_reference() {
    return QStringLiteral("Il n'y a pas de texte de référence !");
}

QString text_too_long() {
    return QStringLiteral("La taille du texte ne peut d'dépasser 600 caractères.") + kLineBreak +
           QStringLiteral("Merci de réduire votre texte.");
}

QString not_initialised() {
    return QStringLiteral("Vous n'avez pas initialisé la liste de proposition !");
}

QString no_proposal() {
    return QStringLiteral("Vous n'avez pas renseigné le texte de proposition !");
}

QString cannot_quit_without_reference() {
    return QStringLiteral(
        "Vous ne pouvez pas quitter le programme sans avoir au moins renseigné le texte de "
        "référence");
}

QString unsaved_data() {
    return QStringLiteral("Vos données n'ont pas été enregistrées.") + kLineBreak +
           QStringLiteral("Voulez-vous quand même quitter le programme ?");
}

QString version_box(const QString& version) {
    return QStringLiteral("Gestion des vorlos.") + kLineBreak + QStringLiteral("Écrit par Tesmo") +
           kLineBreak + QStringLiteral("Version ") + version;
}

}  // namespace vorlo::messages
