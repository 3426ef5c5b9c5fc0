#!/usr/bin/env bash
# Converts the same Map file to a PDB and back with the Linux program and with
# the 64-bit and (where this machine runs it) the 32-bit zonora.exe, each under
# Wine in a prefix of its own bitness, and fails unless all write the same
# bytes (the Map header's date and time aside). The Linux program takes the
# template from the last prefix given: the 32-bit one, which has no Program
# Files (x86), when there is one.
#   scripts/same-bytes.sh LINUX_PROGRAM PREFIX_64 ZONORA_64.EXE [PREFIX_32 ZONORA_32.EXE]
# The prefixes are Wine sessions' (scripts/wine-session.sh), with their servers running.
set -euo pipefail
source "$(dirname "$0")/failure.sh"

if [ "$#" -ne 5 ] && [ "$#" -ne 3 ]; then
  echo "usage: $0 LINUX_PROGRAM PREFIX_64 ZONORA_64.EXE [PREFIX_32 ZONORA_32.EXE]" >&2
  exit 2
fi
linux_program="$1"
shift
work="$(mktemp -d)"

# The optional header's magic: 010b for a 32-bit program, 020b for a 64-bit one.
pe_magic() {
  local header
  header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  od -An -tx2 -j$((header + 24)) -N2 "$1" | tr -d ' '
}
declare -A magic_of=([win64]=020b [win32]=010b)
windows=()
for bits in 64 32; do
  [ "$#" -gt 0 ] || break
  prefix="$1" program="$2"
  shift 2
  arch="win$bits"
  grep -qx "#arch=$arch" "$prefix/system.reg" || fail "$prefix is no $arch prefix"
  [ "$(pe_magic "$program")" = "${magic_of[$arch]}" ] || fail "$program is no $bits-bit program"
  windows+=("$bits:$prefix:$program")
done

# The project's sample files: the template, and a full Map grid whose
# neighbouring values all differ.
samples="$(cd "$(dirname "$0")/../tests/data" && pwd)"
template="$samples/Kolpa.org"
map="$samples/zones.map"

druma_folders=()
cleanup() {
  for folder in "${druma_folders[@]}"; do rm -rf "$folder"; done
  rm -rf "$work"
}
trap cleanup EXIT
for entry in "${windows[@]}"; do
  IFS=: read -r _ prefix _ <<<"$entry"
  druma="$prefix/drive_c/Program Files/Druma"
  mkdir -p "$druma"
  cp "$template" "$druma/"
  druma_folders+=("$druma")
done

mkdir -p "$work/linux" "$work/empty"
cp "$map" "$work/linux/zones.map"
# No data folder holds the template, so the Linux program must find it in a prefix.
IFS=: read -r _ template_prefix _ <<<"${windows[-1]}"
XDG_DATA_HOME="$work/empty" XDG_DATA_DIRS="$work/empty" WINEPREFIX="$template_prefix" \
  "$linux_program" to-pdb "$work/linux/zones.map" -o "$work/linux/zones.pdb"
"$linux_program" to-map "$work/linux/zones.pdb" -o "$work/linux/back.map"
cmp <(tail -n +2 "$work/linux/back.map") <(tail -n +2 "$map")

header() { head -n 1 "$1" | sed 's/ convert on .*//'; }
for entry in "${windows[@]}"; do
  IFS=: read -r bits prefix program <<<"$entry"
  out="$work/windows-$bits"
  mkdir -p "$out"
  cp "$map" "$out/zones.map"
  WINEPREFIX="$prefix" wine "$program" to-pdb "Z:$out/zones.map" -o "Z:$out/zones.pdb"
  WINEPREFIX="$prefix" wine "$program" to-map "Z:$out/zones.pdb" -o "Z:$out/back.map"
  cmp "$work/linux/zones.pdb" "$out/zones.pdb"
  cmp <(tail -n +2 "$work/linux/back.map") <(tail -n +2 "$out/back.map")
  [ "$(header "$work/linux/back.map")" = "$(header "$out/back.map")" ] ||
    fail "the $bits-bit program's Map header differs"
done
programs="the 64-bit"
[ "${#windows[@]}" -eq 1 ] || programs="the 64-bit and 32-bit"
echo "same bytes: $(stat -c %s "$work/linux/zones.pdb")-byte PDB and $(stat -c %s "$work/linux/back.map")-byte Map from the Linux program and $programs zonora.exe"
