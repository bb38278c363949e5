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

QString already_open(const QString& path) {
    return QStringLiteral("Le fichier de données ") + quoted(path) +
           QStringLiteral(" est déjà ouvert par une autre copie du programme.") + kLineBreak +
           QStringLiteral(
               "Une seule copie peut travailler sur une page : revenez à la fenêtre déjà "
               "ouverte. Ce programme s'arrête.");
}

QString unreadable_file_question(const QString& path, const QString& reason,
                                 const QString& set_aside_name) {
    return with_reason(QStringLiteral("Le fichier de données ") + quoted(path) +
                           QStringLiteral(" ne peut pas être lu."),
                       reason) +
           kLineBreak + QStringLiteral("Oui : il est mis de côté sous le nom ") +
           quoted(set_aside_name) +
           QStringLiteral(" (rien n'est effacé) et une nouvelle page commence.") + kLineBreak +
           QStringLiteral(
               "Non : le programme s'arrête ; remettez à sa place une copie saine du fichier, "
               "puis relancez le programme.") +
           kLineBreak + QStringLiteral("Voulez-vous mettre ce fichier de côté ?");
}

QString set_aside_failed(const QString& path, const QString& set_aside_name) {
    return QStringLiteral("Le fichier de données ") + quoted(path) +
           QStringLiteral(" n'a pas pu être renommé en ") + quoted(set_aside_name) + '.' +
           kLineBreak +
           QStringLiteral(
               "Déplacez-le vous-même hors du dossier, puis relancez le programme. Ce programme "
               "s'arrête.");
}

QString read_only_page(const QString& path) {
    return QStringLiteral("Le fichier de données ") + quoted(path) +
           QStringLiteral(" est en lecture seule.") + kLineBreak +
           QStringLiteral(
               "La page, les couleurs et les polices pourront être modifiées mais pas "
               "enregistrées.");
}

QString journal_rows_not_read(int count, const QString& kept_in_table) {
    const QString counted =
        count == 1
            ? QStringLiteral(
                  "Une ligne du journal des parties (un tour ou une partie) n'a "
                  "pas pu être lue : elle n'est pas montrée.")
            : QString::number(count) + QStringLiteral(
                                           " lignes du journal des parties (des tours ou des "
                                           "parties) n'ont pas pu être lues : elles ne sont pas "
                                           "montrées.");
    return counted + kLineBreak +
           QStringLiteral("Rien n'est effacé : au prochain enregistrement, ") +
           (count == 1 ? QStringLiteral("elle est gardée") : QStringLiteral("elles sont gardées")) +
           QStringLiteral(" à part dans le fichier, dans la table ") + quoted(kept_in_table) + '.';
}

QString journal_set_aside(const QString& set_aside_name) {
    return QStringLiteral(
               "Le journal des parties du fichier de données a une forme que ce programme ne "
               "peut pas écrire.") +
           kLineBreak + QStringLiteral("Il est gardé tel quel sous le nom ") +
           quoted(set_aside_name) + QStringLiteral(" et un nouveau journal commence.");
}

QString earlier_game_not_read(const QString& reason) {
    return with_reason(
        QStringLiteral("La partie précédente n'a pas pu être lue dans le fichier de données."),
        reason);
}

QString file_missing() {
    return QStringLiteral("le fichier n'existe pas");
}

QString read_only_file() {
    return QStringLiteral("le fichier est en lecture seule");
}

QString disk_full() {
    return QStringLiteral("le disque est plein");
}

QString not_a_database() {
    return QStringLiteral("le fichier n'est pas une base de données");
}

QString in_use_elsewhere() {
    return QStringLiteral("le fichier est utilisé par un autre programme");
}

QString damaged_file() {
    return QStringLiteral("le fichier est endommagé");
}

QString file_cannot_be_opened() {
    return QStringLiteral("le fichier ne peut pas être ouvert");
}

QString access_refused() {
    return QStringLiteral("l'accès au fichier est refusé");
}

QString input_output_error() {
    return QStringLiteral("le fichier ne peut pas être lu ou écrit sur le disque");
}

QString unexpected_form() {
    return QStringLiteral("le fichier n'a pas la forme attendue (une table ou un champ manque)");
}

QString values_refused() {
    return QStringLiteral("le fichier a refusé les valeurs données");
}

QString engine_error(const QString& code) {
    return code.isEmpty()
               ? QStringLiteral("le moteur de base de données a refusé l'opération")
               : QStringLiteral("le moteur de base de données a signalé l'erreur ") + quoted(code);
}

QString not_open() {
    return QStringLiteral("le fichier de données n'est pas ouvert");
}

QString bad_count(const QString& count) {
    return QStringLiteral("le nombre de lettres restantes ") + quoted(count) +
           QStringLiteral(" n'est pas un nombre entier de 0 à 600");
}

QString found_text_too_long(qsizetype length) {
    return QStringLiteral(
               "le texte trouvé enregistré compte %1 caractères, plus que les 600 "
               "d'une page de Vorlo")
        .arg(length);
}

QString unknown_field(const QString& field) {
    return QStringLiteral("la table « couleurs » n'a pas de champ ") + quoted(field);
}

QString bad_field_value(const QString& field) {
    return QStringLiteral("la valeur donnée pour le champ ") + quoted(field) +
           QStringLiteral(" ne convient pas à ce champ");
}

}  // namespace vorlo::storage_messages
