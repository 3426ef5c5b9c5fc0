#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the Linux build, the
# same tests under AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz
# targets for a fixed number of runs, and the Windows program's tests under Wine.
# What this machine cannot run (the 32-bit Windows program, on a kernel that
# runs no 32-bit programs) it says in the last lines; a step that fails ends
# it with a line that names what failed first.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/failure.sh

bash scripts/setup.sh
source scripts/bitness.sh

jobs=$(nproc)

step "formatting"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

step "build and test"
cmake --preset release
cmake --build --preset release -j"$jobs"
ctest --preset release -j"$jobs"

step "build and test under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset sanitize
cmake --build --preset sanitize -j"$jobs"
ctest --preset sanitize -j"$jobs"

step "fuzz targets"
bash scripts/fuzz-ctest.sh

step "Windows program under Wine"
bash scripts/test-windows.sh

step "packages: build, validate, install, start and remove"
bash scripts/test-packages.sh

step "the page in a browser"
bash scripts/test-web.sh

step "done"
[ "$zonora_runs_32_bit" = yes ] || echo "$zonora_not_run_32"
