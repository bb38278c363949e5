#include "ui/main_window.h"
#include "ui/vorlo_program.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vorlo"));
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
