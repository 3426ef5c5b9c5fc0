#!/usr/bin/env bash
# Takes a picture of the real window as it looks at start: the Linux program
# on a virtual X display (docs/window.png), or the 64-bit zonora.exe under
# Wine in a throwaway prefix (docs/window-win32.png).
#   scripts/screenshot.sh [linux | windows] [OUTPUT.png]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/failure.sh"
system=${1:-linux}
case "$system" in
  linux) preset=release picture=window.png settle=700 program=ui/qt/zonora ;;
  windows) preset=windows-64 picture=window-win32.png settle=1500 program=ui/win32/zonora.exe ;;
  *) echo "usage: $0 [linux | windows] [OUTPUT.png]" >&2 && exit 2 ;;
esac
output=${2:-$root/docs/$picture}
build=$root/build/$preset
# The probe is a Linux program with a build of its own.
probe_build=$root/build/startup-probe

# The Windows program runs under Wine, in a session of its own.
[ "$system" = linux ] || source "$root/scripts/wine-session.sh"
[ -f "$build/CMakeCache.txt" ] || (cd "$root" && cmake --preset "$preset")
cmake --build "$build" -j2 --target zonora
cmake -S "$root/bench/startup" -B "$probe_build" -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$probe_build" -j2 --target window_probe

mkdir -p "$(dirname "$output")"
# The probe starts the program, waits for its window, lets it paint, saves
# the window's pixels and ends the program.
probe=("$probe_build/window_probe" --settle "$settle" --grab "$output" "$(sed -n 's/^project(.* DESCRIPTION "\([^"]*\)".*/\1/p' "$root/CMakeLists.txt")")
if [ "$system" = linux ]; then
  xvfb-run --auto-servernum --server-args="-screen 0 800x600x24 -nolisten tcp" \
    env QT_QPA_PLATFORM=xcb "${probe[@]}" "$build/$program" > /dev/null
else
  "${probe[@]}" wine "$build/$program" > /dev/null
fi
echo "Saved $output"
