#!/usr/bin/env bash
# Builds the benchmarks in Release and prints the start-up figures of the program (median
# and maximum over RUNS runs, 10 by default, up to the main window shown and exposed on the
# offscreen platform, with the peak memory), the engine benchmarks' results and the
# journal's (save, read, undo and redo).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/bench"

"$root/scripts/install-deps"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DVORLO_SANITIZE=OFF -DVORLO_BENCH=ON
cmake --build "$build" -j "$(nproc)" --target startup_bench engine_bench journal_bench big_input_bench

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')"
"$build/bench/startup_bench" --runs "${RUNS:-10}"
echo
"$build/bench/engine_bench" "$@"
echo
"$build/bench/journal_bench" "$@"
