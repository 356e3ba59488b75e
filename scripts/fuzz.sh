#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/) with clang into build-fuzz/ and runs each for a short fixed
# time. Every target first replays the inputs kept in fuzz/regressions/<target>/, then fuzzes from
# its seeds in fuzz/corpus/<target>/; new corpus entries and crash reproducers go to a scratch
# folder outside the repository. Exits non-zero when any target crashes, naming the reproducer.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]     SECONDS per target, default $FUZZ_SECONDS or 15
#   FUZZ_WORK=DIR scripts/fuzz.sh 600 ini_profile   keep the scratch corpus in DIR between runs
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-15}
if [ $# -gt 0 ] && [[ $1 =~ ^[0-9]+$ ]]; then
  seconds=$1
  shift
fi
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(ini_profile console_reply block0_decode assembly_eds)
fi

echo "== Build the fuzz targets (clang, libFuzzer, ASan + UBSan)" >&2
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=$PWD
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j"$(nproc)" >/dev/null

work=${FUZZ_WORK:-$(mktemp -d "${TMPDIR:-/tmp}/tavrin-fuzz.XXXXXX")}
mkdir -p "$work"
echo "Scratch corpus and reproducers: $work" >&2

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=()
for target in "${targets[@]}"; do
  binary=build-fuzz/fuzz_$target
  if [ ! -x "$binary" ]; then
    echo "No fuzz target named $target" >&2
    exit 2
  fi
  log=$work/$target.log

  mapfile -t kept < <(find "fuzz/regressions/$target" -type f ! -name '.*' 2>/dev/null | sort)
  if [ ${#kept[@]} -gt 0 ]; then
    echo "== $target: replay ${#kept[@]} kept input(s)" >&2
    if ! "$binary" "${kept[@]}" >"$log" 2>&1; then
      grep -E 'Running:|property broken|ERROR:|SUMMARY:' "$log" >&2 || tail -n 40 "$log" >&2
      echo "FAILED $target: a kept input in fuzz/regressions/$target crashes again (log: $log)" >&2
      failed+=("$target")
      continue
    fi
  fi

  echo "== $target: fuzz for ${seconds}s" >&2
  mkdir -p "$work/corpus/$target" "$work/artifacts"
  if ! "$binary" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$work/artifacts/$target-" \
      "$work/corpus/$target" "fuzz/corpus/$target" >"$log" 2>&1; then
    grep -E 'property broken|ERROR:|SUMMARY:' "$log" >&2 || tail -n 40 "$log" >&2
    reproducer=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -n 1)
    echo "FAILED $target: reproducer ${reproducer:-not written} (log: $log)" >&2
    echo "  replay: $binary ${reproducer:-<input>}" >&2
    failed+=("$target")
    continue
  fi
  grep -E '^Done' "$log" | tr '\n' ' ' >&2 || true
  echo >&2
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzzing found crashes in: ${failed[*]}" >&2
  exit 1
fi
echo "Fuzzing: no crash in ${targets[*]}" >&2
# A scratch folder of our own is only worth keeping for its reproducers.
if [ -z "${FUZZ_WORK:-}" ]; then
  rm -rf "$work"
fi
