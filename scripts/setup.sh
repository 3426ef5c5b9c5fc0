#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when
# any of them is missing. Safe to run again. The 32-bit Wine only where this
# machine runs 32-bit programs (scripts/bitness.sh): elsewhere it could start
# nothing, and Debian's wine would try every program through it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/failure.sh
source scripts/bitness.sh

packages=(
  build-essential cmake ninja-build pkg-config
  googletest libgtest-dev libgmock-dev
  qt6-base-dev libgl-dev qt6-qpa-plugins
  clang libclang-rt-14-dev clang-format
  libpalm-pdb-perl
  xvfb xauth libxcb1-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64
  nsis lintian appstream desktop-file-utils xdotool
  emscripten chromium
)
[ "$zonora_runs_32_bit" = no ] || packages+=(wine32:i386)
# The page's tests take their driver from npm (scripts/test-web.sh); a node
# that brings its own npm needs no package for it.
command -v npm >/dev/null || packages+=(npm)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  # The 32-bit Wine, for the 32-bit program's tests, comes from the i386
  # architecture; the update below then reads its package lists too.
  if [ "$zonora_runs_32_bit" = yes ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
