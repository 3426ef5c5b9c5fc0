#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build, the
# same tests under AddressSanitizer and UndefinedBehaviorSanitizer, and the
# fuzz targets for a fixed number of runs.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export CTEST_OUTPUT_ON_FAILURE=1

echo "== build and test"
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j"$jobs"
ctest --test-dir build/release -j"$jobs"

echo "== build and test under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DZONORA_SANITIZE=ON -DZONORA_BENCH=OFF
cmake --build build/sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  LSAN_OPTIONS=suppressions="$PWD/scripts/lsan.supp":print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/sanitize -j"$jobs" -LE bench

if [ -f scripts/fuzz-ctest.sh ]; then
  echo "== fuzz targets"
  bash scripts/fuzz-ctest.sh build/fuzz
fi
