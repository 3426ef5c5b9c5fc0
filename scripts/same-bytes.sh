#!/usr/bin/env bash
# Converts the same Map file to a PDB and back with the Linux program and with
# zonora.exe under Wine, and fails unless both write the same bytes (the Map
# header's date and time aside). Needs WINEPREFIX (scripts/wine-session.sh)
# and both builds.
#   scripts/same-bytes.sh LINUX_PROGRAM WINDOWS_PROGRAM
set -euo pipefail

linux_program="$1"
windows_program="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# A template of the layout the writer patches: the first record at 2466.
template="$work/Kolpa.org"
{
  head -c 78 /dev/zero | tr '\0' 'T'
  printf '\000\000\011\242'
  head -c 2918 /dev/zero | tr '\0' 'T'
} >"$template"

# A full grid with every value different from its neighbours.
map="$work/zones.map"
printf 'Druma zones.PDB convert on 4/12/2002 2:00:33 PM\r\n\r\n\r\n' >"$map"
for row in $(seq 0 15); do
  for column in $(seq 0 15); do printf '%4d' $(((row * 16 + column) * 7 % 256)); done
  printf '\r\n'
  case "$row" in 0 | 1 | 7 | 13) printf '\r\n' ;; esac
done >>"$map"

mkdir -p "$work/linux" "$work/windows" "$work/share/Druma"
cp "$template" "$work/share/Druma/"
cp "$map" "$work/linux/zones.map"
cp "$map" "$work/windows/zones.map"
druma="$WINEPREFIX/drive_c/Program Files/Druma"
mkdir -p "$druma"
cp "$template" "$druma/"

XDG_DATA_HOME="$work/share" "$linux_program" to-pdb "$work/linux/zones.map" -o "$work/linux/zones.pdb"
"$linux_program" to-map "$work/linux/zones.pdb" -o "$work/linux/back.map"
wine "$windows_program" to-pdb "Z:$work/windows/zones.map" -o "Z:$work/windows/zones.pdb"
wine "$windows_program" to-map "Z:$work/windows/zones.pdb" -o "Z:$work/windows/back.map"
rm -rf "$druma"

cmp "$work/linux/zones.pdb" "$work/windows/zones.pdb"
cmp <(tail -n +2 "$work/linux/back.map") <(tail -n +2 "$work/windows/back.map")
header() { head -n 1 "$1" | sed 's/ convert on .*//'; }
[ "$(header "$work/linux/back.map")" = "$(header "$work/windows/back.map")" ]
cmp <(tail -n +2 "$work/linux/back.map") <(tail -n +2 "$map")
echo "same bytes: $(stat -c %s "$work/linux/zones.pdb")-byte PDB and $(stat -c %s "$work/linux/back.map")-byte Map from both programs"
