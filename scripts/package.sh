#!/usr/bin/env bash
# Builds both packages into build/packages/: the Debian package (release
# preset, then CPack) and the Windows setup (the programs of the windows-64
# and windows-32 presets, then makensis), each named with the project's
# version, and prints their sizes. Assumes scripts/setup.sh has run.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/failure.sh

out="$PWD/build/packages"
mkdir -p "$out"
jobs=$(nproc)

step "Debian package"
cmake --preset release
# CPack installs from the build as a whole, so all of it is built first.
cmake --build --preset release -j"$jobs"
cpack --config build/release/CPackConfig.cmake -B "$PWD/build/release/cpack"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release/CMakeCache.txt)"
deb="zonora_${version}-1_$(dpkg --print-architecture).deb"
cp build/release/cpack/"$deb" "$out/"

step "Windows setup"
# Only the programs (building them needs no Wine): the setup carries both and installs the one that fits.
for bits in 64 32; do
  cmake --preset "windows-$bits"
  cmake --build --preset "windows-$bits" -j"$jobs" --target zonora
done
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows-64/CMakeCache.txt)"
setup="zonora-${version}-setup.exe"
makensis -V2 -WX \
  -DVERSION="$version" \
  -DPROGRAM64="$PWD/build/windows-64/ui/win32/zonora.exe" \
  -DPROGRAM32="$PWD/build/windows-32/ui/win32/zonora.exe" \
  -DICON="$PWD/build/windows-64/ui/win32/resources/zonora.ico" \
  -DOUTFILE="$out/$setup" \
  packaging/windows/zonora.nsi

step "Packages"
for file in "$deb" "$setup"; do
  size=$(stat -c %s "$out/$file")
  echo "$out/$file  $size bytes ($(numfmt --to=iec-i --suffix=B "$size"))"
done
