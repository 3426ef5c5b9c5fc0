#!/usr/bin/env bash
# Takes docs/window.png from the real window, shown on a virtual X display
# (Xvfb), as it looks at start.
#   scripts/screenshot.sh [BUILD_DIR] [OUTPUT.png]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/release}
output=${2:-$root/docs/window.png}
probe_build=$build/../startup-probe

if [ ! -f "$build/CMakeCache.txt" ]; then
  (cd "$root" && cmake --preset release -B "$build")
fi
cmake --build "$build" -j2 --target zonora
cmake -S "$root/bench/startup" -B "$probe_build" -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$probe_build" -j2 --target window_probe

mkdir -p "$(dirname "$output")"
# The probe starts the program, waits for its window, lets it paint, saves
# the window's pixels and ends the program.
xvfb-run --auto-servernum --server-args="-screen 0 800x600x24 -nolisten tcp" \
  env QT_QPA_PLATFORM=xcb "$probe_build/window_probe" --settle 700 --grab "$output" \
  "MAP / PDB conversion" "$build/ui/qt/zonora" > /dev/null
echo "Saved $output"
