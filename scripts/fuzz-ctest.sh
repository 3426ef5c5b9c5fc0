#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs them through CTest for their
# fixed number of runs. Usage: scripts/fuzz-ctest.sh BUILD_FOLDER
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 BUILD_FOLDER" >&2
  exit 2
fi
source_folder="$(cd "$(dirname "$0")/.." && pwd)"
build_folder="$1"

cmake -S "$source_folder" -B "$build_folder" \
  -DZONORA_FUZZ=ON -DZONORA_WITH_QT=OFF -DZONORA_BENCH=OFF -DCMAKE_CXX_COMPILER=clang++
cmake --build "$build_folder" -j2 --target zonora_fuzzers
cd "$build_folder"
ctest -L fuzz -j2 --output-on-failure
