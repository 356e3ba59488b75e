#!/usr/bin/env bash
# Installs every system package Tavrin needs to build, run and test on Debian 12.
# Safe to run again: packages already present are left alone.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-serialport-dev libqt6serialport6 qt6-qpa-plugins qt6-svg-dev
  libgl-dev libgtest-dev libgmock-dev
  clang libclang-rt-14-dev
  xvfb xauth
  dpkg-dev file desktop-file-utils appstream man-db lintian
  libmodbus-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

echo "Installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
