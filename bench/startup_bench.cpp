// Start-up of the program against the bare window of bare_window.cpp, in child processes
// on the platform that QT_QPA_PLATFORM names. Each run goes from process start up to the
// main window exposed and idle; the program opens an existing page file, as on a usual
// start. The two programs run in turn, RUNS times each after one uncounted run, and the
// medians are printed side by side with their ratio. Times are read on the one
// system-wide monotonic clock: the parent stamps it just before it spawns the child
// (process start), the child at the first line of main and once its window is idle.
//
//   startup_bench [--game] [--runs N]      the comparison, on the page file as the first
//                                          start leaves it, or with a game in progress
//   startup_bench --prepare [--game|--long-use] DIR
//                                          only make the page file of DIR; --long-use adds
//                                          100 games of 20 turns to the game's journal
//   startup_bench --child DIR              one run of the program on DIR's page file
#include "child_report.h"
#include "startup_child.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

using vorlo::bench::ChildReport;
using vorlo::bench::monotonic_ns;

struct Figures {
    std::vector<double> from_spawn_ms;
    std::vector<double> from_main_ms;
    std::vector<double> peak_rss_mib;
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

// Runs `argv` as a child and adds its figures; false when it did not report.
bool run_child(std::vector<std::string> args, Figures* figures, const char* errors_path) {
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
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    const long long spawned = monotonic_ns();
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
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
    if (figures != nullptr) {
        figures->from_spawn_ms.push_back(static_cast<double>(report.ready_ns - spawned) / 1e6);
        figures->from_main_ms.push_back(static_cast<double>(report.ready_ns - report.main_ns) /
                                        1e6);
        figures->peak_rss_mib.push_back(static_cast<double>(report.max_rss_kib) / 1024.0);
    }
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 != 0 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

void print_line(const char* what, const std::vector<double>& bare, const std::vector<double>& vorlo,
                const char* unit) {
    const double floor = median(bare);
    const double program = median(vorlo);
    std::printf("  %-32s %9.1f %-3s %9.1f %-3s %6.2f\n", what, floor, unit, program, unit,
                program / floor);
}

std::string folder_of_self() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) {
        return ".";
    }
    path[n] = '\0';
    std::string self(path);
    return self.substr(0, self.rfind('/'));
}

int compare(int runs, bool game) {
    const std::string folder = folder_of_self();
    const std::string self = folder + "/startup_bench";
    const std::string bare = folder + "/bare_window";
    const QTemporaryDir page_folder;
    const std::string page = page_folder.path().toStdString();
    char errors_path[] = "/tmp/vorlo-startup-XXXXXX";
    const int errors_fd = mkstemp(errors_path);
    if (!page_folder.isValid() || errors_fd < 0) {
        std::perror("startup_bench");
        return 1;
    }
    close(errors_fd);

    std::vector<std::string> prepare = {self, "--prepare", page};
    if (game) {
        prepare.insert(prepare.begin() + 2, "--game");
    }
    bool ok = run_child(prepare, nullptr, errors_path);
    // One run of each first, not counted, so every counted run finds the files in the cache.
    Figures floor;
    Figures program;
    for (int i = 0; ok && i <= runs; ++i) {
        ok = run_child({bare, "--child"}, i == 0 ? nullptr : &floor, errors_path) &&
             run_child({self, "--child", page}, i == 0 ? nullptr : &program, errors_path);
    }
    unlink(errors_path);
    if (!ok) {
        std::fprintf(stderr, "startup_bench: a run did not show its window\n");
        return 1;
    }
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    std::printf(
        "Start-up to the main window exposed and idle (QT_QPA_PLATFORM=%s), page file %s, "
        "median of %d runs each:\n",
        platform != nullptr ? platform : "default",
        game ? "with a game in progress" : "as the first start leaves it", runs);
    std::printf("  %-32s %13s %13s %6s\n", "", "bare window", "Vorlo", "ratio");
    print_line("from process start (spawn)", floor.from_spawn_ms, program.from_spawn_ms, "ms");
    print_line("from the first line of main", floor.from_main_ms, program.from_main_ms, "ms");
    print_line("peak memory (ru_maxrss)", floor.peak_rss_mib, program.peak_rss_mib, "MiB");
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    const long long main_ns = monotonic_ns();
    std::vector<std::string> args(argv + 1, argv + argc);
    const auto flag = [&args](const char* name) {
        const auto found = std::find(args.begin(), args.end(), name);
        if (found == args.end()) {
            return false;
        }
        args.erase(found);
        return true;
    };
    const bool with_game = flag("--game");
    const bool long_use = flag("--long-use");
    if (args.size() == 2 && args[0] == "--child") {
        return vorlo::bench::run_startup_child(argc, argv, main_ns, args[1].c_str());
    }
    if (args.size() == 2 && args[0] == "--prepare") {
        QCoreApplication app(argc, argv);
        using vorlo::bench::StoredPageKind;
        if (!vorlo::bench::prepare_page_file(QString::fromStdString(args[1]),
                                             long_use    ? StoredPageKind::GameAfterLongUse
                                             : with_game ? StoredPageKind::Game
                                                         : StoredPageKind::FirstStart)) {
            return 1;
        }
        // Reported like a child run, so the parent reads the same line.
        const ChildReport done{main_ns, monotonic_ns(), 1};
        std::fputs(done.format().c_str(), stdout);
        return 0;
    }
    int runs = 10;
    if (args.size() == 2 && args[0] == "--runs") {
        runs = std::max(1, std::atoi(args[1].c_str()));
    }
    return compare(runs, with_game);
}
