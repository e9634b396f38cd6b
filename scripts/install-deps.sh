#!/usr/bin/env bash
# Installs what TALVEX needs to build, test and run on Debian. Safe to run again.
set -euo pipefail
packages=(
  cmake g++ make ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev
  libgtest-dev libgmock-dev
  fonts-liberation
  clang libclang-rt-14-dev
  xvfb xauth
  dbus at-spi2-core python3-pyatspi
  libhamlib-utils
  chirp
  dpkg-dev desktop-file-utils appstream
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
