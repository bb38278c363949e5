#include "storage/storage_messages.h"

namespace vorlo::storage_messages {

namespace {

constexpr QChar kLineBreak = QChar(13);

QString quoted(const QString& text) {
    return QStringLiteral("« ") + text + QStringLiteral(" »");
}

// The first line, then the reason on a line of its own when there is one.
QString with_reason(const QString& first_line, const QString& reason) {
    if (reason.trimmed().isEmpty()) {
        return first_line;
    }
    return first_line + kLineBreak + QStringLiteral("Raison : ") + reason.trimmed();
}

}  // namespace

QString cannot_open(const QString& path, const QString& reason) {
    return with_reason(
        QStringLiteral("Impossible d'ouvrir le fichier de données ") + quoted(path) + '.', reason);
}

QString missing_table(const QString& path, const QString& table) {
    return QStringLiteral("Le fichier de données ") + quoted(path) +
           QStringLiteral(" ne contient pas la table ") + quoted(table) + '.' + kLineBreak +
           QStringLiteral("La page et l'apparence ne peuvent pas être lues dans ce fichier.");
}

QString save_failed(const QString& reason) {
    return with_reason(QStringLiteral("Les données de la page n'ont pas été enregistrées."),
                       reason);
}

QString appearance_not_stored(const QString& reason) {
    return with_reason(QStringLiteral("Le choix de couleur ou de police n'a pas été enregistré."),
                       reason);
}

QString folder_not_writable(const QString& folder) {
    return QStringLiteral("Le dossier du programme ") + quoted(folder) +
           QStringLiteral(" n'est pas accessible en écriture.") + kLineBreak +
           QStringLiteral(
               "La page, les couleurs et les polices ne pourront pas être "
               "enregistrées.");
}

QString file_missing() {
    return QStringLiteral("le fichier n'existe pas");
}

QString not_open() {
    return QStringLiteral("le fichier de données n'est pas ouvert");
}

QString bad_count(const QString& caption) {
    return QStringLiteral("le nombre de lettres restantes ") + quoted(caption) +
           QStringLiteral(" n'est pas un nombre entier de 0 à 600");
}

QString unknown_field(const QString& field) {
    return QStringLiteral("la table « couleurs » n'a pas de champ ") + quoted(field);
}

QString bad_field_value(const QString& field) {
    return QStringLiteral("la valeur donnée pour le champ ") + quoted(field) +
           QStringLiteral(" ne convient pas à ce champ");
}

}  // namespace vorlo::storage_messages
