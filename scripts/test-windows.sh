#!/usr/bin/env bash
# Builds both Windows programs and their tests, and runs each build's tests
# under Wine in a throwaway prefix of its own bitness on a virtual display of
# its own: the 64-bit program in a 64-bit prefix, the 32-bit one in a 32-bit
# prefix (and its template places once more in the 64-bit prefix, where a
# 32-bit program meets 64-bit Windows). Then hands a database from the Linux
# program to the Install Tool in each kind of prefix, and converts one Map
# file with the Linux program and both Windows programs, which must write the
# same bytes. Assumes scripts/setup.sh has run and the release preset is built.
set -euo pipefail
cd "$(dirname "$0")/.."

started=$SECONDS
step() {
  echo "== $* ($((SECONDS - started)) s)"
}

source scripts/wine-session.sh
prefix64="$WINEPREFIX" display64="$DISPLAY"
ZONORA_WINE_ARCH=win32 source scripts/wine-session.sh
prefix32="$WINEPREFIX" display32="$DISPLAY"

# Runs a command in the session of the bitness given first.
in_prefix() {
  local bits="$1"
  shift
  if [ "$bits" = 64 ]; then
    WINEPREFIX="$prefix64" DISPLAY="$display64" "$@"
  else
    WINEPREFIX="$prefix32" DISPLAY="$display32" "$@"
  fi
}

# Runs a command for each bitness side by side, each in its own prefix, its
# output kept apart and shown once both have ended; fails if either failed.
# The Wine tests mostly wait (for windows, for the server), so two runs take
# little longer than one.
side_by_side() {
  local logs pid64 pid32 status=0
  logs="$(mktemp -d)"
  (in_prefix 64 "$@" 64) >"$logs/64" 2>&1 &
  pid64=$!
  (in_prefix 32 "$@" 32) >"$logs/32" 2>&1 &
  pid32=$!
  wait "$pid64" || status=1
  wait "$pid32" || status=1
  for bits in 64 32; do
    echo "-- $bits-bit"
    cat "$logs/$bits"
  done
  rm -rf "$logs"
  return "$status"
}

# Runs a Google Test program and fails when any of its tests was skipped:
# here each must really run.
run_unskipped() {
  local log status=0
  log="$(mktemp)"
  "$@" | tr -d '\r' | tee "$log" || status=1
  if grep -q '\[  SKIPPED \]' "$log"; then
    echo "a test was skipped: $*" >&2
    status=1
  fi
  rm -f "$log"
  return "$status"
}

run_tests() {
  ctest --preset "windows-$1" -j"$(nproc)"
}
hand_off() {
  ZONORA_FAKE_INSTAPP="$PWD/build/windows-$1/tests/platform/win32/fake_instapp.exe" \
    run_unskipped build/release/tests/platform/platform_tests \
    --gtest_filter='WineInstallTool.*:WineHandOff.*'
}

for bits in 64 32; do
  step "$bits-bit program: build"
  cmake --preset "windows-$bits"
  in_prefix "$bits" cmake --build --preset "windows-$bits" -j"$(nproc)"
done

step "tests of both programs, each in a prefix of its bitness"
side_by_side run_tests

step "the Linux program's hand-off to the Install Tool (a stand-in of the prefix's bitness)"
side_by_side hand_off

step "32-bit program on 64-bit Windows: the template's places"
ZONORA_TEST_WINDOWS_BITS=64 in_prefix 64 run_unskipped \
  wine build/windows-32/tests/platform/win32/platform_win32_files_test.exe \
  --gtest_filter='Win32Templates.*'

step "the same bytes from the Linux program and both Windows programs"
bash scripts/same-bytes.sh build/release/ui/qt/zonora \
  "$prefix64" build/windows-64/ui/win32/zonora.exe \
  "$prefix32" build/windows-32/ui/win32/zonora.exe
step "both Windows programs checked"
