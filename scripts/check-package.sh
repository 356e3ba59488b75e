#!/usr/bin/env bash
# Checks a Tavrin Debian package on its contents, unpacked into a scratch root, without
# installing it: the files are all there, the desktop entry and the AppStream metainfo validate,
# each program runs from the root and prints the package's version, a C host builds against the
# unpacked quillon.pc and against the CMake package and runs, and the man pages render without
# warnings. Exits non-zero at the first failed check, saying which.
#
#   scripts/check-package.sh tavrin_<version>_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(realpath "$1")
version=$(dpkg-deb -f "$deb" Version)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
root=$(mktemp -d "${TMPDIR:-/tmp}/tavrin-package.XXXXXX")
trap 'rm -rf "$root"' EXIT
fail() {
    echo "check-package: $*" >&2
    exit 1
}
dpkg-deb -x "$deb" "$root"
lib=usr/lib/$multiarch
app=org.tavrin.Tavrin

echo "== $(basename "$deb"): files" >&2
expected=(
    usr/bin/tavrin usr/bin/tavrin-cli usr/bin/tavrin-gatewaysim usr/bin/tavrin-modbussim
    "$lib/libquillon.so.1" "$lib/libquillon.so" usr/include/quillon.h usr/include/quillon_version.h
    "$lib/pkgconfig/quillon.pc" "$lib/cmake/Quillon/QuillonConfig.cmake"
    "usr/share/applications/$app.desktop" "usr/share/metainfo/$app.metainfo.xml"
    "usr/share/icons/hicolor/scalable/apps/$app.svg"
    "usr/share/icons/hicolor/48x48/apps/$app.png" "usr/share/icons/hicolor/128x128/apps/$app.png"
    "usr/share/icons/hicolor/256x256/apps/$app.png"
    usr/share/man/man1/tavrin.1.gz usr/share/man/man1/tavrin-cli.1.gz
    usr/share/man/man1/tavrin-gatewaysim.1.gz usr/share/man/man1/tavrin-modbussim.1.gz usr/share/bash-completion/completions/tavrin-cli
)
for file in "${expected[@]}"; do
    [ -e "$root/$file" ] || fail "missing /$file"
done
[ "$(objdump -p "$root/$lib/libquillon.so.1" | awk '$1 == "SONAME" { print $2 }')" = \
    libquillon.so.1 ] || fail "libquillon.so.1 does not carry the SONAME libquillon.so.1"
# Qt comes from the system: not one Qt library in the package, and the package depends on them.
if find "$root" -name 'libQt6*' | grep -q .; then
    fail "the package bundles Qt libraries"
fi
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "no dependency on the system's Qt"
for file in usr/bin/tavrin usr/bin/tavrin-cli usr/bin/tavrin-gatewaysim usr/bin/tavrin-modbussim "$lib/libquillon.so.1"; do
    # The package may come from a tree built with debug information: CPack must strip it.
    if file "$root/$file" | grep -q 'not stripped'; then
        fail "/$file is not stripped"
    fi
    if readelf -d "$root/$file" | grep -Eq 'R(UN)?PATH'; then
        fail "/$file has a run path into some tree: $(readelf -d "$root/$file" | grep PATH)"
    fi
done
for size in 48 128 256; do
    file "$root/usr/share/icons/hicolor/${size}x$size/apps/$app.png" | grep -q "$size x $size" ||
        fail "the ${size}px icon is not $size x $size"
done

echo "== desktop entry and AppStream metainfo" >&2
desktop-file-validate "$root/usr/share/applications/$app.desktop" ||
    fail "desktop-file-validate refused the desktop entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app.metainfo.xml" >&2 ||
    fail "appstreamcli refused the metainfo"

echo "== the programs from the unpacked root" >&2
for program in tavrin tavrin-cli tavrin-gatewaysim tavrin-modbussim; do
    said=$(env -u DISPLAY -u WAYLAND_DISPLAY LD_LIBRARY_PATH="$root/$lib" \
        "$root/usr/bin/$program" --version) || fail "$program --version failed"
    [ "$said" = "$program $version" ] || fail "$program --version said '$said', not '$program $version'"
done

echo "== a C host against the unpacked quillon.pc and CMake package" >&2
work=$root/scratch
mkdir -p "$work"
flags=$(PKG_CONFIG_SYSROOT_DIR=$root PKG_CONFIG_LIBDIR=$root/$lib/pkgconfig \
    pkg-config --cflags --libs quillon) || fail "pkg-config knows no quillon"
# Strict C99 with warnings as errors: the header must stand alone in a plain C host.
# shellcheck disable=SC2086
cc -std=c99 -Wall -Wextra -Wpedantic -Werror packaging/check/quillon_host.c $flags \
    -o "$work/host-pc" || fail "the C host does not build against quillon.pc"
LD_LIBRARY_PATH="$root/$lib" "$work/host-pc" "$work" >&2 || fail "the pkg-config host failed"
cmake -S packaging/check -B "$work/cmake" -G Ninja -DCMAKE_PREFIX_PATH="$root/usr" >/dev/null ||
    fail "find_package(Quillon) failed on the unpacked CMake package"
cmake --build "$work/cmake" >/dev/null || fail "the CMake host does not build"
LD_LIBRARY_PATH="$root/$lib" "$work/cmake/quillon_host" "$work" >&2 || fail "the CMake host failed"

echo "== man pages" >&2
for page in tavrin tavrin-cli tavrin-gatewaysim tavrin-modbussim; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" \
        2>&1 >/dev/null) || fail "man cannot render $page(1)"
    [ -z "$warnings" ] || fail "$page(1) renders with warnings: $warnings"
done
echo "check-package: $(basename "$deb") passed" >&2
