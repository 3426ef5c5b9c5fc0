#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/failure.sh

bash scripts/setup.sh
cmake --preset release
cmake --build --preset release -j"$(nproc)" --target zonora
exec build/release/ui/qt/zonora
