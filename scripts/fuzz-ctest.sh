#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs them through CTest for their
# fixed number of runs.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/failure.sh

cmake --preset fuzz
cmake --build --preset fuzz -j"$(nproc)"
ctest --preset fuzz -j"$(nproc)"
