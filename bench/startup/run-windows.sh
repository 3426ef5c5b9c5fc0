#!/usr/bin/env bash
# Start-up of the Windows program under Wine against a bare Win32 window with
# as many controls of the same kinds and the same manifest: the time from
# start to the window shown, and the peak resident memory, as medians over
# several runs taken in turn on a virtual X display (a throwaway Wine prefix
# with a persistent server, so Wine's own start is paid once, before the
# runs); and the size of each program.
#   bench/startup/run-windows.sh [BUILD_DIR] [RUNS]
# BUILD_DIR is a Windows cross build (default build/windows-64), made with the
# preset of its name (windows-64 or windows-32) when it does not exist yet. A
# 32-bit build is measured in a 32-bit prefix against a 32-bit bare window, a
# 64-bit one in a 64-bit prefix against a 64-bit bare window.
set -euo pipefail

median() {
  sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

root=$(cd "$(dirname "$0")/../.." && pwd)
# The window's caption, which the probe waits for: the project's description.
caption=$(sed -n 's/^project(.* DESCRIPTION "\([^"]*\)".*/\1/p' "$root/CMakeLists.txt")
build=${1:-$root/build/windows-64}
runs=${2:-15}
probe_build=$build/startup-probe
if [ -f "$build/CMakeCache.txt" ]; then
  toolchain=$(sed -n 's/^CMAKE_TOOLCHAIN_FILE:[A-Z]*=//p' "$build/CMakeCache.txt")
else
  preset=windows-64
  [ "$(basename "$build")" != windows-32 ] || preset=windows-32
  toolchain=$root/cmake/mingw-w64-$([ $preset = windows-32 ] && echo i686 || echo x86_64).cmake
fi
case "$toolchain" in
  *i686*) bits=32 mingw=i686-w64-mingw32 ;;
  *) bits=64 mingw=x86_64-w64-mingw32 ;;
esac

# The build runs the icon writer under Wine, so the session comes first.
ZONORA_WINE_ARCH=win$bits source "$root/scripts/wine-session.sh"

if [ ! -f "$build/CMakeCache.txt" ]; then
  (cd "$root" && cmake --preset "$preset" -B "$build") > /dev/null
fi
cmake --build "$build" -j2 --target zonora > /dev/null
zonora=$build/ui/win32/zonora.exe

# The probe (a Linux program on the X display) and the bare window, built as
# the program is: optimised, static, Unicode, with its manifest.
cmake -S "$root/bench/startup" -B "$probe_build" -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$probe_build" -j2 --target window_probe > /dev/null
bare=$probe_build/bare_window_win32.exe
printf '1 24 "%s"\n' "$build/ui/win32/resources/zonora.manifest" > "$probe_build/bare_window_win32.rc"
"$mingw-windres" -O coff "$probe_build/bare_window_win32.rc" "$probe_build/bare_window_win32.res"
"$mingw-g++-posix" -std=c++20 -O3 -DNDEBUG -Wall -Wextra -Wpedantic -Wconversion -Werror \
  -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0601 \
  -static -municode -mwindows -o "$bare" \
  "$root/bench/startup/bare_window_win32.cpp" "$probe_build/bare_window_win32.res" -lcomctl32

# Prints "<ms to shown> <peak KiB>" for one run; fails when the window never
# shows, which ends the script.
probe() {
  "$probe_build/window_probe" "$1" wine "$2" 2> /dev/null ||
    { echo "run-windows: no window \"$1\" from $2" >&2; return 1; }
}

probe "$caption" "$zonora" > /dev/null  # warm the file cache and the prefix
probe "bare window" "$bare" > /dev/null
zt=() zm=() bt=() bm=()
for _ in $(seq "$runs"); do
  line=$(probe "$caption" "$zonora")
  read -r t m <<< "$line"
  zt+=("$t"); zm+=("$m")
  line=$(probe "bare window" "$bare")
  read -r t m <<< "$line"
  bt+=("$t"); bm+=("$m")
done

row() {
  printf '%-16s %12s %12s\n' "$1" "$2" "$3"
}
row "" "zonora.exe" "bare window"
row "shown (ms)" "$(printf '%s\n' "${zt[@]}" | median)" "$(printf '%s\n' "${bt[@]}" | median)"
row "peak RSS (KiB)" "$(printf '%s\n' "${zm[@]}" | median)" "$(printf '%s\n' "${bm[@]}" | median)"
kib() {
  echo $(( $(stat -c %s "$1") / 1024 ))
}
# Without its symbols, as a release would ship it.
stripped() {
  "$mingw-strip" -o "$probe_build/stripped.exe" "$1"
  kib "$probe_build/stripped.exe"
}
row "file (KiB)" "$(kib "$zonora")" "$(kib "$bare")"
row "stripped (KiB)" "$(stripped "$zonora")" "$(stripped "$bare")"
echo "medians of $runs runs each, taken in turn, under $(wine --version) in a $bits-bit prefix, both programs $bits-bit"
