#!/usr/bin/env bash
# Installs what Tavrin needs, builds it, and runs every test: once in a normal build and once
# under AddressSanitizer and UndefinedBehaviorSanitizer; builds the three Debian packages and checks
# them (as root also installing and purging them); then runs the fuzz targets briefly.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== Build and test" >&2
# Installed under /usr like the package, so that the package is made from this same tree.
bash scripts/build.sh build -DCMAKE_INSTALL_PREFIX=/usr
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Build the Debian packages and check them" >&2
bash scripts/package.sh build >/dev/null

echo "== Build and test under AddressSanitizer + UndefinedBehaviorSanitizer" >&2
bash scripts/build.sh build-sanitize -DTAVRIN_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

echo "== Fuzz the logic libraries briefly (clang, libFuzzer)" >&2
bash scripts/fuzz.sh
