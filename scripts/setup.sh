#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when
# any of them is missing. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  googletest libgtest-dev libgmock-dev
  qt6-base-dev libgl-dev qt6-qpa-plugins
  clang libclang-rt-14-dev clang-format
  libpalm-pdb-perl
  xvfb xauth libxcb1-dev
  g++-mingw-w64-x86-64-posix wine wine64
  nsis lintian appstream desktop-file-utils xdotool
)

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
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
