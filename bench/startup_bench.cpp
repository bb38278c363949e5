// Start-up time and peak memory of the program, up to its main window shown and exposed on
// the offscreen platform. Run without arguments (or with --runs N), the program starts
// itself N times as a child in a fresh temporary folder and prints the median and the
// maximum. Times are read on the one system-wide monotonic clock: the parent stamps it just
// before it spawns the child (process start), the child at the first line of main and once
// its window is exposed.
#include "startup_child.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

using vorlo::bench::ChildReport;
using vorlo::bench::monotonic_ns;

struct RunFigures {
    double from_spawn_ms = 0;
    double from_main_ms = 0;
    double peak_rss_mib = 0;
};

// The child's warnings are kept aside and shown only when its run fails.
void show_child_errors(const char* path) {
    if (FILE* errors = std::fopen(path, "r")) {
        char buffer[512];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, errors)) > 0) {
            std::fwrite(buffer, 1, n, stderr);
        }
        std::fclose(errors);
    }
}

bool run_child(RunFigures& figures, const char* errors_path) {
    int out[2];
    if (pipe(out) != 0) {
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errors_path,
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char self[] = "/proc/self/exe";
    char child_flag[] = "--child";
    char* argv[] = {self, child_flag, nullptr};

    const long long spawned = monotonic_ns();
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, self, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (failed != 0) {
        close(out[0]);
        return false;
    }
    std::string line;
    char buffer[256];
    ssize_t n = 0;
    while ((n = read(out[0], buffer, sizeof buffer)) > 0) {
        line.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);

    ChildReport report;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !report.parse(line)) {
        show_child_errors(errors_path);
        return false;
    }
    figures.from_spawn_ms = static_cast<double>(report.exposed_ns - spawned) / 1e6;
    figures.from_main_ms = static_cast<double>(report.exposed_ns - report.main_ns) / 1e6;
    figures.peak_rss_mib = static_cast<double>(report.max_rss_kib) / 1024.0;
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 != 0 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

void print_line(const char* what, const std::vector<double>& values, const char* unit) {
    std::printf("  %-30s median %7.1f %s   max %7.1f %s\n", what, median(values), unit,
                *std::max_element(values.begin(), values.end()), unit);
}

}  // namespace

int main(int argc, char* argv[]) {
    const long long main_ns = monotonic_ns();
    if (argc > 1 && std::strcmp(argv[1], "--child") == 0) {
        return vorlo::bench::run_startup_child(argc, argv, main_ns);
    }
    int runs = 10;
    if (argc > 2 && std::strcmp(argv[1], "--runs") == 0) {
        runs = std::max(1, std::atoi(argv[2]));
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    char errors_path[] = "/tmp/vorlo-startup-XXXXXX";
    const int errors_fd = mkstemp(errors_path);
    if (errors_fd < 0) {
        std::perror("startup_bench");
        return 1;
    }
    close(errors_fd);

    // One run first, not counted, so every counted run finds the libraries in the cache.
    RunFigures figures;
    std::vector<double> from_spawn, from_main, rss;
    for (int i = 0; i <= runs; ++i) {
        if (!run_child(figures, errors_path)) {
            std::fprintf(stderr, "startup_bench: run %d did not show its window\n", i);
            unlink(errors_path);
            return 1;
        }
        if (i == 0) {
            continue;
        }
        from_spawn.push_back(figures.from_spawn_ms);
        from_main.push_back(figures.from_main_ms);
        rss.push_back(figures.peak_rss_mib);
    }
    unlink(errors_path);
    std::printf(
        "Start-up to the main window exposed (QT_QPA_PLATFORM=offscreen), %d runs after one "
        "uncounted run:\n",
        runs);
    print_line("from process start (spawn)", from_spawn, "ms");
    print_line("from the first line of main", from_main, "ms");
    print_line("peak memory (ru_maxrss)", rss, "MiB");
    return 0;
}
