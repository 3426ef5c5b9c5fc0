#!/usr/bin/env bash
# Builds both Windows programs and their tests, and runs each build's tests
# under Wine in a throwaway prefix of its own bitness on a virtual display of
# its own: the 64-bit program in a 64-bit prefix, the 32-bit one in a 32-bit
# prefix (and its template places once more in the 64-bit prefix, where a
# 32-bit program meets 64-bit Windows). Then hands a database from the Linux
# program to the Install Tool in each kind of prefix, and converts one Map
# file with the Linux program and both Windows programs, which must write the
# same bytes. Assumes scripts/setup.sh has run and the release preset is built.
# On a machine that cannot run 32-bit programs (scripts/bitness.sh) the 32-bit
# program is built and its imports checked, and its tests are reported as not
# run, in one line at the end; all the rest runs as elsewhere.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/failure.sh
source scripts/bitness.sh

# The bitnesses whose programs run here.
if [ "$zonora_runs_32_bit" = yes ]; then
  run_bits=(64 32)
else
  run_bits=(64)
fi

# Building needs no Wine. Where the 32-bit program cannot run, only it is
# built, with its imports check, and not its tests.
step "64-bit program: build"
cmake --preset windows-64
cmake --build --preset windows-64 -j"$(nproc)"
step "32-bit program: build"
cmake --preset windows-32
if [ "$zonora_runs_32_bit" = yes ]; then
  cmake --build --preset windows-32 -j"$(nproc)"
else
  cmake --build --preset windows-32 -j"$(nproc)" --target zonora zonora_imports_check
  echo "$zonora_not_run_32"
fi

step "Wine: a prefix of each bitness"
source scripts/wine-session.sh
prefix64="$WINEPREFIX" display64="$DISPLAY"
if [ "$zonora_runs_32_bit" = yes ]; then
  ZONORA_WINE_ARCH=win32 source scripts/wine-session.sh
  prefix32="$WINEPREFIX" display32="$DISPLAY"
fi

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

# Runs a command for each bitness that runs here side by side, each in its
# own prefix, its output kept apart and shown once all have ended; fails if
# any failed. The Wine tests mostly wait (for windows, for the server), so two
# runs take little longer than one.
side_by_side() {
  local logs bits status=0
  local -A pids
  logs="$(mktemp -d)"
  for bits in "${run_bits[@]}"; do
    (in_prefix "$bits" "$@" "$bits") >"$logs/$bits" 2>&1 &
    pids[$bits]=$!
  done
  for bits in "${run_bits[@]}"; do
    wait "${pids[$bits]}" || status=1
  done
  for bits in "${run_bits[@]}"; do
    echo "-- $bits-bit"
    cat "$logs/$bits"
  done
  rm -rf "$logs"
  [ "$status" -eq 0 ] || fail "$1 failed (above)"
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

step "tests of the programs, each in a prefix of its bitness"
side_by_side run_tests

step "the Linux program's hand-off to the Install Tool (a stand-in of the prefix's bitness)"
side_by_side hand_off

if [ "$zonora_runs_32_bit" = yes ]; then
  step "32-bit program on 64-bit Windows: the template's places"
  ZONORA_TEST_WINDOWS_BITS=64 in_prefix 64 run_unskipped \
    wine build/windows-32/tests/platform/win32/platform_win32_files_test.exe \
    --gtest_filter='Win32Templates.*'
fi

step "the same bytes from the Linux program and the Windows programs"
same_bytes=(build/release/ui/qt/zonora "$prefix64" build/windows-64/ui/win32/zonora.exe)
[ "$zonora_runs_32_bit" = no ] || same_bytes+=("$prefix32" build/windows-32/ui/win32/zonora.exe)
bash scripts/same-bytes.sh "${same_bytes[@]}"

if [ "$zonora_runs_32_bit" = yes ]; then
  step "both Windows programs checked"
else
  step "the 64-bit Windows program checked"
  echo "$zonora_not_run_32"
fi
