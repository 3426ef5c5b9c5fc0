#!/usr/bin/env bash
# The page: builds the site with Emscripten, then drives it in headless
# Chromium (conversions byte for byte against the Linux program's, every box,
# the grid, no request leaving the page, accessibility), runs the core's tests
# as WebAssembly under node, and measures the page beside its floors.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/failure.sh

jobs=$(nproc)
export NODE_PATH=/usr/share/nodejs

step "the page: build"
cmake --preset web
cmake --build --preset web -j"$jobs"

step "the core's tests as WebAssembly under node"
cmake --build build/web --target zone_tests convert_tests ui_handlers_test -j"$jobs"
ctest --preset web -j"$jobs"

step "the Linux program the page is compared with, and its benchmark"
cmake --preset release
cmake --build --preset release --target zonora zonora_bench -j"$jobs"

step "the page in headless Chromium"
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
node --test tests/web/*.test.mjs

step "the page beside its floors, and the site's size against its goal"
node bench/web/run.mjs 9
