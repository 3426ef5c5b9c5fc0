#!/usr/bin/env bash
# Installs what is missing and builds the Windows program, build/windows/ui/win32/zonora.exe,
# with mingw-w64. The build runs a few of its own Windows programs under Wine
# (the icon writer, the tests' discovery), hence the Wine session.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
source scripts/wine-session.sh
cmake --preset windows
cmake --build --preset windows -j"$(nproc)"
echo "Built $(pwd)/build/windows/ui/win32/zonora.exe"
