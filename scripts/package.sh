#!/usr/bin/env bash
# Builds Tavrin optimised (Release, installed under /usr) into build-package, or the folder in
# $PACKAGE_DIR, makes the Debian package tavrin_<version>_amd64.deb with CPack, checks its
# contents (scripts/check-package.sh) and prints the package's path as its last line.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
dir=${PACKAGE_DIR:-build-package}

# Only what the package holds is built: no tests, no benchmarks (the install then needs only
# these targets, not the whole tree).
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DTAVRIN_BUILD_TESTS=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$dir" -j"$(nproc)" --target tavrin tavrin-cli tavrin-gatewaysim quillon \
    tavrin_icons tavrin_man_pages >/dev/null

rm -f "$dir"/tavrin_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
debs=("$dir"/tavrin_*_amd64.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "package.sh: CPack made no single tavrin_*_amd64.deb in $dir" >&2
    exit 1
fi
deb=$(realpath "${debs[0]}")

bash scripts/check-package.sh "$deb" >&2
echo "$deb"
