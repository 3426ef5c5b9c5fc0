#!/usr/bin/env bash
# Start-up of the program against a bare Qt window with as many widgets of the
# same kinds: the time from start to the window shown, and the peak resident
# memory, as medians over several runs on a virtual X display.
#   bench/startup/run.sh [BUILD_DIR] [RUNS]
set -euo pipefail

# The window's caption, which the probe waits for: the project's description.
caption=$(sed -n 's/^project(.* DESCRIPTION "\([^"]*\)".*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")

median() {
  sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Runs on the virtual display: each window in turn, RUNS times.
measure() {
  local probe=$1 runs=$2 zonora=$3 bare=$4 t m
  local zt=() zm=() bt=() bm=()
  "$probe" "$caption" "$zonora" > /dev/null  # warm the file cache
  "$probe" "bare window" "$bare" > /dev/null
  for _ in $(seq "$runs"); do
    read -r t m < <("$probe" "$caption" "$zonora")
    zt+=("$t"); zm+=("$m")
    read -r t m < <("$probe" "bare window" "$bare")
    bt+=("$t"); bm+=("$m")
  done
  printf '%-10s %12s %16s\n' "window" "shown (ms)" "peak RSS (KiB)"
  printf '%-10s %12s %16s\n' "zonora" "$(printf '%s\n' "${zt[@]}" | median)" \
    "$(printf '%s\n' "${zm[@]}" | median)"
  printf '%-10s %12s %16s\n' "bare Qt" "$(printf '%s\n' "${bt[@]}" | median)" \
    "$(printf '%s\n' "${bm[@]}" | median)"
  echo "medians of $runs runs each, taken in turn"
}

if [ "${1:-}" = "--on-display" ]; then
  shift
  measure "$@" 2> /dev/null
  exit
fi

root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/release}
runs=${2:-15}
probe_build=$build/../startup-probe

cmake --build "$build" -j2 --target zonora > /dev/null
cmake -S "$root/bench/startup" -B "$probe_build" -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$probe_build" -j2 > /dev/null

xvfb-run --auto-servernum --server-args="-screen 0 800x600x24 -nolisten tcp" \
  env QT_QPA_PLATFORM=xcb "$0" --on-display \
  "$probe_build/window_probe" "$runs" "$build/ui/qt/zonora" "$probe_build/bare_window"
