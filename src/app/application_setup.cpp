#include "app/application_setup.h"

#include "engine/program_version.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vorlo {

bool set_up_application() {
    QApplication::setApplicationName(QStringLiteral("vorlo"));
    QApplication::setApplicationVersion(QString::fromLatin1(kProgramVersion));
    QApplication::setDesktopFileName(QStringLiteral("vorlo"));
    QApplication::setQuitOnLastWindowClosed(false);

    auto* french = new QTranslator(QCoreApplication::instance());
    if (!french->load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete french;
        return false;
    }
    QApplication::installTranslator(french);
    return true;
}

}  // namespace vorlo
