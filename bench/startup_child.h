#pragma once

#include <string>

namespace vorlo::bench {

// The system-wide monotonic clock, the same in every process, in nanoseconds.
long long monotonic_ns();

// What one child run tells its parent, as one line on its standard output.
struct ChildReport {
    long long main_ns = 0;
    long long exposed_ns = 0;
    long max_rss_kib = 0;

    std::string format() const;
    bool parse(const std::string& line);
};

// Starts the program in a fresh temporary folder, waits until its main window is shown and
// exposed, and prints the report. main_ns is the stamp taken at the first line of main.
int run_startup_child(int argc, char* argv[], long long main_ns);

}  // namespace vorlo::bench
