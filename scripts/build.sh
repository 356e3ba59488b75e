#!/usr/bin/env bash
# Configures and builds Tavrin into build/ (or the folder given as $1, with extra CMake options
# after it).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
# ccache keeps what it compiled keyed by the sources relative to this clone, so a second build of
# the same sources, in this clone or another, compiles only what changed.
launcher=()
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR=$PWD
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
