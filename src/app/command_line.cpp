#include "command_line.h"

#include "engine/program_version.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace vorlo {

namespace {

const QCommandLineOption& help_option() {
    static const QCommandLineOption option({QStringLiteral("h"), QStringLiteral("help")},
                                           QStringLiteral("Affiche cette aide et quitte."));
    return option;
}

const QCommandLineOption& version_option() {
    static const QCommandLineOption option({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("Affiche la version et quitte."));
    return option;
}

}  // namespace

CommandLineRequest command_line_request(const QStringList& arguments) {
    QCommandLineParser parser;
    // The window system's own options are one dash and a word (-platform, -reverse): read
    // as words, their letters are never taken for -h or -v.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(help_option());
    parser.addOption(version_option());
    // Unknown options are not an error here: they are the window system's.
    parser.parse(arguments);
    if (parser.isSet(version_option())) {
        return CommandLineRequest::Version;
    }
    if (parser.isSet(help_option())) {
        return CommandLineRequest::Help;
    }
    return CommandLineRequest::OpenWindow;
}

QString version_text() {
    return QStringLiteral("vorlo ") + QString::fromLatin1(kProgramVersion) + '\n' +
           QStringLiteral(
               "Licence GPLv3+ : GNU GPL version 3 ou ultérieure "
               "<https://gnu.org/licenses/gpl.html>.\n"
               "Ceci est un logiciel libre : vous êtes libre de le modifier et de le "
               "redistribuer.\n"
               "Il n'y a AUCUNE GARANTIE, dans la mesure de ce que permet la loi.\n");
}

QString help_text() {
    return QStringLiteral(
               "Utilisation : vorlo [option]\n"
               "Gestion des vorlos : le maître de jeu masque la phrase de référence, joue les\n"
               "propositions des joueurs et prépare le message BBCode à poster sur le forum.\n"
               "\n"
               "Options :\n") +
           QStringLiteral("  -h, --help     ") + help_option().description() + '\n' +
           QStringLiteral("  -v, --version  ") + version_option().description() + '\n' +
           QStringLiteral(
               "\n"
               "Sans option, vorlo ouvre sa fenêtre. La page est enregistrée dans le fichier\n"
               "vorlo.mdb, à côté du programme quand son dossier est accessible en écriture,\n"
               "sinon dans le dossier de données de l'utilisateur (~/.local/share/vorlo).\n");
}

}  // namespace vorlo
