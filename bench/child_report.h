#pragma once

#include <string>

class QWidget;

namespace vorlo::bench {

// The system-wide monotonic clock, the same in every process, in nanoseconds.
long long monotonic_ns();

// What one child run tells its parent, as one line on its standard output.
struct ChildReport {
    long long main_ns = 0;   // first line of main
    long long ready_ns = 0;  // window exposed and the event loop idle
    long max_rss_kib = 0;    // peak memory at that moment

    std::string format() const;
    bool parse(const std::string& line);
};

// Runs the event loop until `window` is exposed and the loop has nothing left to do (the
// first paint is done), prints the report and ends the process at once: what a program
// does on its way out is not part of its start-up.
[[noreturn]] void report_when_idle(QWidget& window, long long main_ns);

}  // namespace vorlo::bench
