#!/usr/bin/env bash
# Makes the Debian package tavrin_<version>_amd64.deb with CPack, checks its contents
# (scripts/check-package.sh) and prints the package's path as its last line.
#
#   scripts/package.sh         builds Tavrin optimised (Release, installed under /usr) into
#                              build-package, or the folder in $PACKAGE_DIR, and packages that
#   scripts/package.sh DIR     packages the build tree in DIR instead (scripts/test.sh gives its
#                              build/), so nothing is compiled a second time
#
# A tree of its own is set to install under /usr here; CPack strips the programs and the library,
# and the install drops their build-tree run paths, whatever build type the tree has.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
targets=(tavrin tavrin-cli tavrin-gatewaysim quillon tavrin_icons tavrin_man_pages)

if [ $# -gt 0 ]; then
    dir=$1
    [ -f "$dir/CMakeCache.txt" ] || {
        echo "package.sh: $dir holds no configured build tree" >&2
        exit 2
    }
    # Quillon's pkg-config file and library folder follow the prefix, so the tree must install
    # under /usr, as the package does.
    cmake -S . -B "$dir" -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
    [ -f "$dir/CPackConfig.cmake" ] || {
        echo "package.sh: $dir cannot be packaged (a sanitizer build installs nothing)" >&2
        exit 2
    }
else
    dir=${PACKAGE_DIR:-build-package}
    # Only what the package holds is built: no tests, no benchmarks (the install then needs only
    # these targets, not the whole tree).
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
        -DTAVRIN_BUILD_TESTS=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
fi
cmake --build "$dir" -j"$(nproc)" --target "${targets[@]}" >/dev/null

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
