#include "startup_child.h"

#include "ui/main_window.h"
#include "ui/vorlo_program.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QTranslator>
#include <QWindow>

#include <sys/resource.h>
#include <time.h>

#include <cstdio>
#include <sstream>

namespace vorlo::bench {

long long monotonic_ns() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

std::string ChildReport::format() const {
    std::ostringstream out;
    out << main_ns << ' ' << exposed_ns << ' ' << max_rss_kib << '\n';
    return out.str();
}

bool ChildReport::parse(const std::string& line) {
    std::istringstream in(line);
    return static_cast<bool>(in >> main_ns >> exposed_ns >> max_rss_kib) && exposed_ns > main_ns &&
           max_rss_kib > 0;
}

int run_startup_child(int argc, char* argv[], long long main_ns) {
    // As the program's own main does it.
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vorlo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vorlo"));
    QApplication::setQuitOnLastWindowClosed(false);
    QTranslator qt_french;
    if (qt_french.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qt_french);
    }

    const QTemporaryDir folder;
    if (!folder.isValid()) {
        return 2;
    }
    const std::unique_ptr<VorloProgram> program = VorloProgram::start(folder.path());
    if (!program) {
        return 3;
    }
    QWidget* window = program->window();
    window->show();
    while (window->windowHandle() == nullptr || !window->windowHandle()->isExposed()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    ChildReport report;
    report.main_ns = main_ns;
    report.exposed_ns = monotonic_ns();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    report.max_rss_kib = usage.ru_maxrss;
    const std::string line = report.format();
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
    return 0;
}

}  // namespace vorlo::bench
