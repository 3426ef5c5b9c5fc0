#!/usr/bin/env bash
# Installs what is missing and builds both Windows programs with mingw-w64:
# build/windows-64/ui/win32/zonora.exe for 64-bit Windows, and
# build/windows-32/ui/win32/zonora.exe for 32-bit Windows and 32-bit Wine
# prefixes. The builds run a few of their own Windows programs under Wine (the
# icon writer, the tests' discovery), hence the Wine session; its 64-bit
# prefix runs the programs of both.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
source scripts/wine-session.sh
for bits in 64 32; do
  cmake --preset "windows-$bits"
  cmake --build --preset "windows-$bits" -j"$(nproc)"
done
for bits in 64 32; do
  echo "Built $(pwd)/build/windows-$bits/ui/win32/zonora.exe ($bits-bit)"
done
