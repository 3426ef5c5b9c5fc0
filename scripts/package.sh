#!/usr/bin/env bash
# Builds both packages into build/packages/: the Debian package (release
# preset, then CPack) and the Windows setup (windows-64 preset, then makensis),
# each named with the project's version, and prints their sizes. Assumes
# scripts/setup.sh has run.
set -euo pipefail
cd "$(dirname "$0")/.."

out="$PWD/build/packages"
mkdir -p "$out"
jobs=$(nproc)

echo "== Debian package"
cmake --preset release
# CPack installs from the build as a whole, so all of it is built first.
cmake --build --preset release -j"$jobs"
cpack --config build/release/CPackConfig.cmake -B "$PWD/build/release/cpack"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release/CMakeCache.txt)"
deb="zonora_${version}-1_$(dpkg --print-architecture).deb"
cp build/release/cpack/"$deb" "$out/"

echo "== Windows setup"
# The Windows build runs its own icon writer under Wine; a caller that has a
# Wine session already (scripts/test-packages.sh) lends it.
if [ -z "${ZONORA_WINE_SESSION:-}" ]; then
  export WINEDLLOVERRIDES="winemenubuilder.exe=d" # keeps the machine's own menus out of it
  source scripts/wine-session.sh
fi
cmake --preset windows-64
cmake --build --preset windows-64 -j"$jobs" --target zonora
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows-64/CMakeCache.txt)"
setup="zonora-${version}-setup.exe"
makensis -V2 -WX \
  -DVERSION="$version" \
  -DPROGRAM="$PWD/build/windows-64/ui/win32/zonora.exe" \
  -DICON="$PWD/build/windows-64/ui/win32/resources/zonora.ico" \
  -DOUTFILE="$out/$setup" \
  packaging/windows/zonora.nsi

echo "== Packages"
for file in "$deb" "$setup"; do
  size=$(stat -c %s "$out/$file")
  echo "$out/$file  $size bytes ($(numfmt --to=iec-i --suffix=B "$size"))"
done
