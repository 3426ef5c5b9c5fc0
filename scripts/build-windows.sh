#!/usr/bin/env bash
# Installs what is missing and builds both Windows programs with mingw-w64:
# build/windows-64/ui/win32/zonora.exe for 64-bit Windows, and
# build/windows-32/ui/win32/zonora.exe for 32-bit Windows and 32-bit Wine
# prefixes. Building needs no Wine; only the tests run under it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/failure.sh

bash scripts/setup.sh
for bits in 64 32; do
  cmake --preset "windows-$bits"
  cmake --build --preset "windows-$bits" -j"$(nproc)"
done
for bits in 64 32; do
  echo "Built $(pwd)/build/windows-$bits/ui/win32/zonora.exe ($bits-bit)"
done
