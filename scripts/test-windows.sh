#!/usr/bin/env bash
# Builds the Windows program and its tests and runs them under Wine, in a
# throwaway prefix on a virtual display. Assumes scripts/setup.sh has run.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/wine-session.sh
cmake --preset windows
cmake --build --preset windows -j"$(nproc)"
ctest --preset windows -j"$(nproc)"
