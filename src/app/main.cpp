#include "command_line.h"
#include "engine/program_version.h"
#include "ui/main_window.h"
#include "ui/vorlo_program.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTextStream>
#include <QTranslator>

#include <cstdio>

namespace {

// --version and --help print and end here, before QApplication, which needs a display.
int answer_command_line(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    QTextStream out(stdout);
    switch (vorlo::command_line_request(arguments)) {
        case vorlo::CommandLineRequest::Version:
            out << vorlo::version_text();
            return 0;
        case vorlo::CommandLineRequest::Help:
            out << vorlo::help_text();
            return 0;
        case vorlo::CommandLineRequest::OpenWindow:
            break;
    }
    return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const int answered = answer_command_line(argc, argv); answered >= 0) {
        return answered;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vorlo"));
    QApplication::setApplicationVersion(QString::fromLatin1(vorlo::kProgramVersion));
    QApplication::setDesktopFileName(QStringLiteral("vorlo"));
    // The program ends through its quit rules only, never because a window closed.
    QApplication::setQuitOnLastWindowClosed(false);

    // The choosers speak French like the rest of the program.
    QTranslator qt_french;
    if (qt_french.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qt_french);
    }

    const std::unique_ptr<vorlo::VorloProgram> program =
        vorlo::VorloProgram::start(QApplication::applicationDirPath());
    if (!program) {
        return 1;
    }
    program->window()->show();
    return QApplication::exec();
}
