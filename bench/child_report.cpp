#include "child_report.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <sys/resource.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace vorlo::bench {

long long monotonic_ns() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

std::string ChildReport::format() const {
    std::ostringstream out;
    out << main_ns << ' ' << ready_ns << ' ' << max_rss_kib << '\n';
    return out.str();
}

bool ChildReport::parse(const std::string& line) {
    std::istringstream in(line);
    return static_cast<bool>(in >> main_ns >> ready_ns >> max_rss_kib) && ready_ns > main_ns &&
           max_rss_kib > 0;
}

namespace {

[[noreturn]] void report_and_end(long long main_ns) {
    ChildReport report;
    report.main_ns = main_ns;
    report.ready_ns = monotonic_ns();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    report.max_rss_kib = usage.ru_maxrss;
    const std::string line = report.format();
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
    std::_Exit(0);
}

}  // namespace

void report_when_idle(QWidget& window, long long main_ns) {
    // Once the window is exposed, a zero timer fires when the events queued by then (the
    // expose and the paint it asks for among them) have all been handled.
    bool exposed = false;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     &window, [&window, &exposed, main_ns] {
                         const QWindow* handle = window.windowHandle();
                         if (exposed || handle == nullptr || !handle->isExposed()) {
                             return;
                         }
                         exposed = true;
                         QTimer::singleShot(0, &window, [main_ns] { report_and_end(main_ns); });
                     });
    QApplication::exec();
    std::_Exit(4);  // the loop ended before the window was ever exposed
}

}  // namespace vorlo::bench
