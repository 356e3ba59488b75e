#!/usr/bin/env bash
# Makes the three Debian packages with CPack, checks them (scripts/check-package.sh) and prints
# their paths, blank-separated, as its last line, in the order tavrin, libquillon1,
# libquillon-dev:
#
#   tavrin_<version>_amd64.deb          the programs, the desktop's files and the user guide
#   libquillon1_<version>_amd64.deb     the Quillon library
#   libquillon-dev_<version>_amd64.deb  Quillon's header, pkg-config file and CMake package
#
#   scripts/package.sh         builds Tavrin optimised (Release, installed under /usr) into
#                              build-package, or the folder in $PACKAGE_DIR, and packages that
#   scripts/package.sh DIR     packages the build tree in DIR instead (scripts/test.sh gives its
#                              build/), so nothing is compiled a second time
#
#   sudo apt install $(scripts/package.sh | tail -n 1)
#
# A tree of its own is set to install under /usr here; CPack strips the programs and the library,
# and the install drops their build-tree run paths, whatever build type the tree has.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
targets=(tavrin tavrin-cli tavrin-gatewaysim tavrin-modbussim quillon tavrin_icons tavrin_man_pages
    tavrin_package_docs)
packages=(tavrin libquillon1 libquillon-dev)

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
    # Only what the packages hold is built: no tests, no benchmarks (the install then needs only
    # these targets, not the whole tree).
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
        -DTAVRIN_BUILD_TESTS=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
fi
cmake --build "$dir" -j"$(nproc)" --target "${targets[@]}" >/dev/null

for package in "${packages[@]}"; do
    rm -f "$dir/${package}"_*.deb
done
(cd "$dir" && cpack -G DEB >/dev/null)
debs=()
for package in "${packages[@]}"; do
    made=("$dir/${package}"_*_amd64.deb)
    if [ ${#made[@]} -ne 1 ] || [ ! -f "${made[0]}" ]; then
        echo "package.sh: CPack made no single ${package}_*_amd64.deb in $dir" >&2
        exit 1
    fi
    debs+=("$(realpath "${made[0]}")")
done

bash scripts/check-package.sh "${debs[@]}" >&2
echo "${debs[*]}"
