#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the Linux build, the
# same tests under AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz
# targets for a fixed number of runs, and the Windows program's tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

jobs=$(nproc)

echo "== formatting"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

echo "== build and test"
cmake --preset release
cmake --build --preset release -j"$jobs"
ctest --preset release -j"$jobs"

echo "== build and test under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset sanitize
cmake --build --preset sanitize -j"$jobs"
ctest --preset sanitize -j"$jobs"

echo "== fuzz targets"
bash scripts/fuzz-ctest.sh

echo "== Windows program under Wine"
bash scripts/test-windows.sh

echo "== packages: build, validate, install, start and remove"
bash scripts/test-packages.sh

bash scripts/test-web.sh
