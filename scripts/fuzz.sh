#!/usr/bin/env bash
# Runs every fuzz target (or the ones named) for a given time each, starting
# from the checked-in seeds and regressions, and prints runs and time.
# Usage: scripts/fuzz.sh [-b BUILD_FOLDER] SECONDS [TARGET...]
#   TARGET: map_scanner zone_reader base_name file_filter round_trip
# What a target finds is written to BUILD_FOLDER/fuzz/found/.
set -euo pipefail

source_folder="$(cd "$(dirname "$0")/.." && pwd)"
source "$source_folder/scripts/failure.sh"
build_folder="$source_folder/build/fuzz"
while getopts "b:" option; do
  case "$option" in
    b) build_folder="$OPTARG" ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
if [ $# -lt 1 ]; then
  echo "usage: $0 [-b BUILD_FOLDER] SECONDS [TARGET...]" >&2
  exit 2
fi
seconds="$1"
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(map_scanner zone_reader base_name file_filter round_trip)

(cd "$source_folder" && cmake --preset fuzz -B "$build_folder" >/dev/null)
cmake --build "$build_folder" -j2 --target zonora_fuzzers >/dev/null

found="$build_folder/fuzz/found"
mkdir -p "$found"
status=0
for target in "${targets[@]}"; do
  corpus="$build_folder/fuzz/long/$target"
  mkdir -p "$corpus"
  inputs=("$source_folder/fuzz/corpus/$target")
  [ -d "$source_folder/fuzz/regressions/$target" ] && inputs+=("$source_folder/fuzz/regressions/$target")
  log="$build_folder/fuzz/long/$target.log"
  if "$build_folder/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 \
      -rss_limit_mb=1024 -malloc_limit_mb=256 -max_len=4096 \
      -artifact_prefix="$found/$target-" "$corpus" "${inputs[@]}" >"$log" 2>&1; then
    result="no crash"
  else
    result="FOUND SOMETHING (see $log)"
    status=1
  fi
  runs="$(grep -Eo 'Done [0-9]+ runs in [0-9]+ second' "$log" | tail -1 || true)"
  echo "$target: ${runs:-no summary} - $result"
done
[ "$status" -eq 0 ] || fail "a fuzz target found something (above, with its log)"
