#!/usr/bin/env bash
# Takes docs/window-win32.png from the Windows program, run under Wine on a
# virtual X display (a throwaway Wine prefix), as it looks at start.
#   scripts/screenshot-windows.sh [BUILD_DIR] [OUTPUT.png]
# BUILD_DIR is a Windows cross build (default build/windows-64, made with the
# "windows-64" preset when it does not exist yet).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/windows-64}
output=${2:-$root/docs/window-win32.png}
# The probe is a Linux program: its own build, beside the Windows one's files.
probe_build=$build/startup-probe

# The build runs the icon writer under Wine, so the session comes first.
source "$root/scripts/wine-session.sh"

if [ ! -f "$build/CMakeCache.txt" ]; then
  (cd "$root" && cmake --preset windows-64 -B "$build")
fi
cmake --build "$build" -j2 --target zonora
cmake -S "$root/bench/startup" -B "$probe_build" -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$probe_build" -j2 --target window_probe

mkdir -p "$(dirname "$output")"
# The probe starts the program, waits for its window, lets Wine paint it,
# saves the window's pixels and ends the program.
"$probe_build/window_probe" --settle 1500 --grab "$output" \
  "MAP / PDB conversion" wine "$build/ui/win32/zonora.exe" > /dev/null
echo "Saved $output"
