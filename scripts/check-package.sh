#!/usr/bin/env bash
# Checks Tavrin's three Debian packages, tavrin, libquillon1 and libquillon-dev:
#   1. lintian, Debian's package checker: no error; its warnings and notes are printed, and a
#      tag that stays is overridden in packaging/lintian/PACKAGE with the reason;
#   2. the contents, unpacked into a scratch root without installing: each file in the package it
#      belongs to, the dependencies, the documentation folders, the desktop entry and AppStream
#      metainfo, each program's version, a C host built against the unpacked quillon.pc and
#      CMake package, the man pages rendering without warnings;
#   3. as root, and only where none of the three is installed already: installs them on this
#      system, runs the programs, builds the C host against the installed libquillon-dev, then
#      purges all three and checks that nothing of them is left behind.
# Exits non-zero at the first failed check, saying which.
#
#   scripts/check-package.sh TAVRIN.deb LIBQUILLON1.deb LIBQUILLON-DEV.deb   (in any order)
set -euo pipefail
cd "$(dirname "$0")/.."
fail() {
    echo "check-package: $*" >&2
    exit 1
}
[ $# -eq 3 ] || fail "give the three packages: tavrin, libquillon1 and libquillon-dev"
declare -A deb
for file in "$@"; do
    deb[$(dpkg-deb -f "$file" Package)]=$(realpath "$file")
done
for package in tavrin libquillon1 libquillon-dev; do
    [ -n "${deb[$package]:-}" ] || fail "no $package package among $*"
done
version=$(dpkg-deb -f "${deb[tavrin]}" Version)
# The programs say Tavrin's own version, the packages add the revision of their packaging.
upstream=${version%-*}
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
root=$(mktemp -d "${TMPDIR:-/tmp}/tavrin-package.XXXXXX")
trap 'rm -rf "$root"' EXIT
lib=usr/lib/$multiarch
app=org.tavrin.Tavrin

echo "== lintian" >&2
# Errors fail the check; warnings and notes are shown, and overridden tags are listed with the
# override's reason.
lintian_out=$(lintian --info --show-overrides --fail-on error "${deb[@]}" 2>&1) && lintian_ok=1 ||
    lintian_ok=0
printf '%s\n' "${lintian_out:-lintian: no tags}" >&2
[ $lintian_ok = 1 ] || fail "lintian reports errors"

echo "== files, each in its package" >&2
tavrin_files=(
    usr/bin/tavrin usr/bin/tavrin-cli usr/bin/tavrin-gatewaysim usr/bin/tavrin-modbussim
    "usr/share/applications/$app.desktop" "usr/share/metainfo/$app.metainfo.xml"
    "usr/share/icons/hicolor/scalable/apps/$app.svg"
    "usr/share/icons/hicolor/48x48/apps/$app.png" "usr/share/icons/hicolor/128x128/apps/$app.png"
    "usr/share/icons/hicolor/256x256/apps/$app.png"
    usr/share/man/man1/tavrin.1.gz usr/share/man/man1/tavrin-cli.1.gz
    usr/share/man/man1/tavrin-gatewaysim.1.gz usr/share/man/man1/tavrin-modbussim.1.gz
    usr/share/bash-completion/completions/tavrin-cli
    usr/share/doc/tavrin/user-guide.md usr/share/doc/tavrin/examples/apply-example.json
    usr/share/doc/tavrin/examples/fleet-manifest.json usr/share/doc/tavrin/examples/5310G_EEP.ini
)
library_files=("$lib/libquillon.so.1")
dev_files=(
    "$lib/libquillon.so" usr/include/quillon.h usr/include/quillon_version.h
    "$lib/pkgconfig/quillon.pc" "$lib/cmake/Quillon/QuillonConfig.cmake"
    "$lib/cmake/Quillon/QuillonConfigVersion.cmake" "$lib/cmake/Quillon/QuillonTargets.cmake"
)
check_package_files() {
    local package=$1 listing file
    shift
    listing=$(dpkg-deb -c "${deb[$package]}" | awk '{ print $6 }' | sed 's|^\./||')
    for file in "$@" "usr/share/doc/$package/copyright" "usr/share/doc/$package/changelog.Debian.gz"; do
        grep -qxF "$file" <<<"$listing" || fail "$package lacks /$file"
    done
    # No package may carry another's files: a file listed for one package is in no other.
    for other in tavrin libquillon1 libquillon-dev; do
        [ "$other" = "$package" ] && continue
        for file in "$@"; do
            if dpkg-deb -c "${deb[$other]}" | awk '{ print $6 }' | grep -qxF "./$file"; then
                fail "/$file is in $other as well as in $package"
            fi
        done
    done
}
check_package_files tavrin "${tavrin_files[@]}"
check_package_files libquillon1 "${library_files[@]}"
check_package_files libquillon-dev "${dev_files[@]}"
for package in tavrin libquillon1 libquillon-dev; do
    dpkg-deb -x "${deb[$package]}" "$root"
    [ "$(dpkg-deb -f "${deb[$package]}" Version)" = "$version" ] ||
        fail "$package is not version $version"
    # The copyright file is in the machine-readable format, and the changelog is the version's.
    head -n 1 "$root/usr/share/doc/$package/copyright" |
        grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
        fail "$package's copyright is not in the machine-readable format"
    zcat "$root/usr/share/doc/$package/changelog.Debian.gz" | head -n 1 |
        grep -qF "($version)" || fail "$package's changelog does not begin with $version"
done
[ "$(objdump -p "$root/$lib/libquillon.so.1" | awk '$1 == "SONAME" { print $2 }')" = \
    libquillon.so.1 ] || fail "libquillon.so.1 does not carry the SONAME libquillon.so.1"
[ "$(readlink "$root/$lib/libquillon.so")" = libquillon.so.1 ] ||
    fail "libquillon.so does not link to libquillon.so.1"

echo "== dependencies" >&2
depends_on() { # PACKAGE DEPENDENCY: PACKAGE's Depends names DEPENDENCY exactly
    dpkg-deb -f "${deb[$1]}" Depends | tr ',' '\n' | sed 's/^ *//' | grep -qxF "$2" ||
        fail "$1 does not depend on $2 (Depends: $(dpkg-deb -f "${deb[$1]}" Depends))"
}
depends_on tavrin "libquillon1 (= $version)"
depends_on libquillon-dev "libquillon1 (= $version)"
dpkg-deb -f "${deb[tavrin]}" Depends | grep -q 'libqt6widgets6' || fail "tavrin does not depend on the system's Qt"
dpkg-deb -f "${deb[libquillon1]}" Depends | grep -q 'libqt6widgets6' ||
    fail "libquillon1 does not depend on the system's Qt"
dpkg-deb --ctrl-tarfile "${deb[libquillon1]}" | tar -xO ./shlibs 2>/dev/null |
    grep -q '^libquillon 1 libquillon1' || fail "libquillon1 has no shlibs entry for libquillon.so.1"
# Qt comes from the system: not one Qt library in any package.
if find "$root" -name 'libQt6*' | grep -q .; then
    fail "a package bundles Qt libraries"
fi
for file in usr/bin/tavrin usr/bin/tavrin-cli usr/bin/tavrin-gatewaysim usr/bin/tavrin-modbussim \
    "$lib/libquillon.so.1"; do
    # The packages may come from a tree built with debug information: CPack must strip it.
    if file -L "$root/$file" | grep -q 'not stripped'; then
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

# The programs' --version, from wherever they are installed (PREFIX), without a display.
check_versions() {
    local prefix=$1 program said
    shift
    for program in tavrin tavrin-cli tavrin-gatewaysim tavrin-modbussim; do
        said=$(env -u DISPLAY -u WAYLAND_DISPLAY "$@" "$prefix/usr/bin/$program" --version) ||
            fail "$program --version failed"
        [ "$said" = "$program $upstream" ] ||
            fail "$program --version said '$said', not '$program $upstream'"
    done
}
# A C host of Quillon, built through pkg-config and through find_package(Quillon), run in WORK.
build_hosts() {
    local work=$1 pc_env=$2 prefix_path=$3 flags
    shift 3
    mkdir -p "$work"
    # shellcheck disable=SC2086
    flags=$(env $pc_env pkg-config --cflags --libs quillon) || fail "pkg-config knows no quillon"
    # Strict C99 with warnings as errors: the header must stand alone in a plain C host.
    # shellcheck disable=SC2086
    cc -std=c99 -Wall -Wextra -Wpedantic -Werror packaging/check/quillon_host.c $flags \
        -o "$work/host-pc" || fail "the C host does not build against quillon.pc"
    env "$@" "$work/host-pc" "$work" >&2 || fail "the pkg-config host failed"
    cmake -S packaging/check -B "$work/cmake" -G Ninja ${prefix_path:+"-DCMAKE_PREFIX_PATH=$prefix_path"} \
        >/dev/null || fail "find_package(Quillon) failed"
    cmake --build "$work/cmake" >/dev/null || fail "the CMake host does not build"
    env "$@" "$work/cmake/quillon_host" "$work" >&2 || fail "the CMake host failed"
}

echo "== the programs and a C host from the unpacked root" >&2
check_versions "$root" LD_LIBRARY_PATH="$root/$lib"
build_hosts "$root/scratch" "PKG_CONFIG_SYSROOT_DIR=$root PKG_CONFIG_LIBDIR=$root/$lib/pkgconfig" \
    "$root/usr" LD_LIBRARY_PATH="$root/$lib"

echo "== man pages" >&2
for page in tavrin tavrin-cli tavrin-gatewaysim tavrin-modbussim; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" \
        2>&1 >/dev/null) || fail "man cannot render $page(1)"
    [ -z "$warnings" ] || fail "$page(1) renders with warnings: $warnings"
done

echo "== install, use and purge on this system" >&2
if [ "$(id -u)" -ne 0 ]; then
    echo "check-package: not root, so the packages are not installed here" >&2
    echo "check-package: $(basename -a "${deb[@]}" | tr '\n' ' ')passed" >&2
    exit 0
fi
for package in tavrin libquillon1 libquillon-dev; do
    if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -qv 'not-installed'; then
        echo "check-package: $package is on this system already, so the install check leaves it alone" >&2
        echo "check-package: $(basename -a "${deb[@]}" | tr '\n' ' ')passed" >&2
        exit 0
    fi
done
# Every path the packages bring, and those of them that were here before (shared folders).
paths=$(for package in tavrin libquillon1 libquillon-dev; do
    dpkg-deb -c "${deb[$package]}" | awk '{ print $6 }' | sed 's|^\.||; s|/$||'
done | sed '/^$/d' | sort -u)
here_before=$(while IFS= read -r path; do
    if [ -e "$path" ] || [ -L "$path" ]; then echo "$path"; fi
done <<<"$paths")
# Purged again however the check ends.
trap 'dpkg --purge tavrin libquillon-dev libquillon1 >/dev/null 2>&1 || true; rm -rf "$root"' EXIT
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${deb[tavrin]}" "${deb[libquillon1]}" "${deb[libquillon-dev]}" >/dev/null ||
    fail "apt-get could not install the three packages"
check_versions ""
man -w tavrin-cli >/dev/null || fail "man does not find tavrin-cli(1) once installed"
ldconfig -p | grep -q 'libquillon.so.1 ' || fail "ldconfig does not know libquillon.so.1 once installed"
build_hosts "$root/installed" "" ""

dpkg --purge tavrin libquillon-dev libquillon1 >/dev/null || fail "dpkg could not purge the packages"
for package in tavrin libquillon1 libquillon-dev; do
    if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -qv 'not-installed'; then
        fail "$package is still known to dpkg after the purge"
    fi
done
left=$(while IFS= read -r path; do
    if [ -e "$path" ] || [ -L "$path" ]; then echo "$path"; fi
done <<<"$paths" | comm -23 - <(printf '%s\n' "$here_before"))
[ -z "$left" ] || fail "left behind after the purge: $(echo $left)"
if ldconfig -p | grep -q libquillon; then
    fail "ldconfig still lists libquillon after the purge"
fi
echo "check-package: $(basename -a "${deb[@]}" | tr '\n' ' ')installed, used and purged; passed" >&2
