#!/usr/bin/env bash
# Runs the test suite ROUNDS times (default 20) while as many busy processes as the machine has
# cores compete with it for the processor, to show that no test passes or fails by how busy the
# machine is. Builds what it needs first. Prints, for each build, how many rounds passed and every
# failing test by name with the number of rounds it failed in; exits 1 if any round failed.
#
#   scripts/stress-tests.sh [ROUNDS]
#
# Environment:
#   STRESS_BUILDS  normal, sanitize or both (default both): the normal build in build/, the
#                  AddressSanitizer + UndefinedBehaviorSanitizer build in build-sanitize/
#   STRESS_FILTER  a ctest -R pattern: run only the tests it matches (default: every test)
#   STRESS_JOBS    tests run at once, ctest -j (default: the number of cores)
#
# Each round's ctest output is kept in BUILD/stress-logs/. Not part of scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

rounds=${1:-20}
if [[ ! "$rounds" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: scripts/stress-tests.sh [ROUNDS]  (ROUNDS a whole number from 1)" >&2
    exit 2
fi
cores=$(nproc)
jobs=${STRESS_JOBS:-$cores}
filter=${STRESS_FILTER:-}
case ${STRESS_BUILDS:-both} in
    normal) builds=(build) ;;
    sanitize) builds=(build-sanitize) ;;
    both) builds=(build build-sanitize) ;;
    *)
        echo "STRESS_BUILDS must be normal, sanitize or both" >&2
        exit 2
        ;;
esac

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

for dir in "${builds[@]}"; do
    echo "== Build $dir" >&2
    if [[ $dir == build-sanitize ]]; then
        bash scripts/build.sh build-sanitize -DTAVRIN_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
    else
        bash scripts/build.sh build
    fi
done

# One spinning process per core, started only once the builds are done so that they load the
# tests, not the compiler.
busy=()
stop_busy() {
    for pid in "${busy[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
}
trap stop_busy EXIT
for ((i = 0; i < cores; i++)); do
    bash -c 'while :; do :; done' &
    busy+=("$!")
done

declare -A passed failures
for dir in "${builds[@]}"; do
    passed[$dir]=0
    failures[$dir]=""
    mkdir -p "$dir/stress-logs"
done

for ((round = 1; round <= rounds; round++)); do
    for dir in "${builds[@]}"; do
        log="$dir/stress-logs/round-$round.log"
        args=(--test-dir "$dir" --output-on-failure -j"$jobs")
        if [[ -n $filter ]]; then
            args+=(-R "$filter")
        fi
        if ctest "${args[@]}" >"$log" 2>&1; then
            passed[$dir]=$((passed[$dir] + 1))
            echo "round $round $dir: passed" >&2
        else
            # ctest lists the failed tests after this heading, one "  N - name (why)" a line.
            failed=$(awk '/The following tests FAILED:/ {on = 1; next}
                          on && / - / {sub(/^[ \t]*[0-9]+ - /, ""); print}' "$log")
            failures[$dir]+="$failed"$'\n'
            echo "round $round $dir: FAILED" >&2
            printf '%s\n' "$failed" | sed 's/^[ \t]*/    /' >&2
        fi
    done
done

stop_busy
trap - EXIT

status=0
echo "Stress run: $rounds rounds, $cores busy processes, ctest -j$jobs${filter:+, tests matching '$filter'}"
for dir in "${builds[@]}"; do
    echo "$dir: ${passed[$dir]} of $rounds rounds passed"
    if [[ ${passed[$dir]} -ne $rounds ]]; then
        status=1
        echo "  failing tests (rounds failed in):"
        printf '%s' "${failures[$dir]}" | sed '/^$/d' | sort | uniq -c | sort -rn |
            sed 's/^ */    /'
    fi
done
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
exit "$status"
