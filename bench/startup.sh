#!/usr/bin/env bash
# Builds the benchmarks in Release and prints Vorlo's figures next to their floors, as
# ratios measured in the same run:
#   - start-up against a bare Qt window with a menu bar and three text boxes
#     (bench/bare_window.cpp), from process start until the main window is exposed and
#     idle, the program opening an existing page file: instructions (callgrind) and wall
#     time on the offscreen platform, wall time under Xvfb, peak memory;
#   - instructions per call of initialise_puzzle, evaluate_proposal and check_word_fit on
#     600-character French texts against a single pass over the three texts
#     (bench/single_pass.cpp);
#   - then the engine's and the journal's (save, read, undo and redo) times per call
#     (Google Benchmark).
# RUNS (10 by default) sets the number of timed start-ups of each program.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/bench"
bin="$build/bench"
runs="${RUNS:-10}"

"$root/scripts/install-deps" build run bench
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DVORLO_SANITIZE=OFF -DVORLO_BENCH=ON >/dev/null
cmake --build "$build" -j 2 --target startup_bench bare_window engine_calls engine_bench \
    journal_bench big_input_bench

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Instructions of one run under callgrind: instructions [valgrind options] -- program args
instructions() {
    local options=()
    while [ "$1" != "--" ]; do
        options+=("$1")
        shift
    done
    shift
    if ! valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" "${options[@]}" \
        "$@" >/dev/null 2>"$work/callgrind.err"; then
        cat "$work/callgrind.err" >&2
        return 1
    fi
    awk '/^summary:/ { print $2 }' "$work/callgrind.out"
}

# Inclusive instructions of the first function whose name starts with NAME in a callgrind
# output, 0 when it never ran: inclusive FILE NAME
inclusive() {
    callgrind_annotate --inclusive=yes --threshold=100 "$1" 2>/dev/null |
        awk -v name="$2" '{
            at = index($0, ":" name)
            if (at > 0 && $1 ~ /^[0-9,]+$/) { gsub(",", "", $1); print $1; found = 1; exit }
        } END { if (!found) print 0 }'
}

# One line with both counts, in millions (M) or thousands (K), and their ratio:
# ratio_line WHAT FLOOR PROGRAM M|K
ratio_line() {
    awk -v what="$1" -v floor="$2" -v program="$3" -v unit="$4" 'BEGIN {
        scale = unit == "M" ? 1e6 : 1e3
        printf "  %-40s %12.2f %-2s %12.2f %-2s %6.2f\n", what, floor / scale, unit,
            program / scale, unit, program / floor }'
}

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //'),"
echo "         $(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo)," \
    "$(. /etc/os-release && echo "$PRETTY_NAME"), Qt $(qtpaths6 --qt-version 2>/dev/null || echo 6)"
echo

echo "Start-up instructions (callgrind), process start until the main window is exposed and"
echo "idle, QT_QPA_PLATFORM=offscreen:"
printf '  %-40s %15s %15s %6s\n' "" "bare window" "Vorlo" "ratio"
bare=$(QT_QPA_PLATFORM=offscreen instructions -- "$bin/bare_window" --child)
cp "$work/callgrind.out" "$work/bare.callgrind"
for page in first game long-use; do
    mkdir -p "$work/$page"
    case "$page" in
    first)
        prepare=(--prepare "$work/$page")
        label="page file as the first start leaves it"
        ;;
    game)
        prepare=(--prepare --game "$work/$page")
        label="page file with a game in progress"
        ;;
    long-use)
        prepare=(--prepare --long-use "$work/$page")
        label="the same, 100 games in the journal"
        ;;
    esac
    "$bin/startup_bench" "${prepare[@]}" >/dev/null
    vorlo=$(QT_QPA_PLATFORM=offscreen instructions -- "$bin/startup_bench" --child "$work/$page")
    cp "$work/callgrind.out" "$work/$page.callgrind"
    ratio_line "$label" "$bare" "$vorlo" "M"
done
echo

QT_QPA_PLATFORM=offscreen "$bin/startup_bench" --runs "$runs"
echo
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb \
    "$bin/startup_bench" --runs "$runs"
echo

# Where the instructions go, on the usual start. Read after the timed runs: the analysis
# of the callgrind files slows the runs that follow it. The steps overlap (a paint loads font
# engines and shapes text, for instance), so the lines do not add up to the totals.
echo "Steps of the start-up counted above (callgrind, inclusive instructions), page file as the"
echo "first start leaves it:"
printf '  %-40s %15s %15s\n' "" "bare window" "Vorlo"
step_line() {
    local what="$1" name="$2"
    awk -v what="$what" -v bare="$(inclusive "$work/bare.callgrind" "$name")" \
        -v vorlo="$(inclusive "$work/first.callgrind" "$name")" \
        'BEGIN { printf "  %-40s %12.2f M  %12.2f M\n", what, bare / 1e6, vorlo / 1e6 }'
}
step_line "libraries linked before main" "_dl_start"
step_line "plugins loaded (platform, images, SQL)" "dl_open_worker"
step_line "the desktop's font list" "QFontDatabasePrivate::ensureFontDatabase"
step_line "font engines (a family at a size)" "QFontDatabasePrivate::loadEngine"
step_line "text shaping" "QTextEngine::shapeText"
step_line "SQLite driver (plugin and connection)" "QSqlDatabase::addDatabase"
step_line "page file opened and read" "vorlo::open_page_file"
step_line "  and its page, look and journal read" "vorlo::MainWindow::open_page"
step_line "first paint" "QWidgetRepaintManager::paintAndFlush"
echo

echo "Engine instructions per call (callgrind), 600-character French texts, each call from"
echo "the freshly initialised puzzle; the proposal is the reference itself:"
printf '  %-40s %15s %15s %6s\n' "" "single pass" "operation" "ratio"
calls=200
per_call() {
    local total
    total=$(instructions "--toggle-collect=$2" -- "$bin/engine_calls" "$1" "$calls")
    echo $((total / calls))
}
floor=$(per_call single_pass 'vorlo::bench::single_pass*')
for operation in initialise_puzzle evaluate_proposal check_word_fit; do
    count=$(per_call "$operation" "vorlo::PuzzleEngine::$operation()")
    ratio_line "$operation" "$floor" "$count" "K"
done
echo

"$bin/engine_bench" "$@"
echo
"$bin/journal_bench" "$@"
