#!/usr/bin/env bash
# Builds the benchmarks optimised (Release) into build-bench, or the folder in $BENCH_DIR, and
# prints their figures as one Markdown table with the targets beside them. The benchmarks assert
# nothing; they are not part of ctest.
#
# Usage: scripts/bench.sh [RUNS]   (runs per timed figure, default 5)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${BENCH_DIR:-build-bench}
runs=${1:-5}

cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$dir" -j2 --target tavrin tavrin-gatewaysim tavrin-console-bench \
    tavrin-startup-bench tavrin-whole-job-bench tavrin-cli tavrin-fleet-bench >/dev/null

export QT_QPA_PLATFORM=offscreen
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Qt's notes on stderr (offscreen platform, runtime folder) would break the table; they are shown
# only when a benchmark fails.
run() {
    if ! "$@" 2>>"$log"; then
        cat "$log" >&2
        exit 1
    fi
}

echo "Tavrin benchmarks on $(nproc) cores; load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "| figure | measured | target | met | made of |"
echo "|---|---|---|---|---|"
run "$dir/bench/tavrin-console-bench" "$runs"
run "$dir/bench/tavrin-whole-job-bench"
run "$dir/bench/tavrin-fleet-bench" "$runs"
run "$dir/bench/tavrin-startup-bench" "$dir/src/ui/main/tavrin" "$runs"
