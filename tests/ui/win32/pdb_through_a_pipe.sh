#!/usr/bin/env bash
# zonora.exe to-pdb ... -o - through a pipe, under Wine: the PDB must arrive
# whole, byte for byte the sample. The template goes where the program looks
# for it in the session's prefix (WINEPREFIX) for the while.
#   pdb_through_a_pipe.sh ZONORA.EXE SAMPLES_FOLDER
set -euo pipefail
program="$1" samples="$2"
druma="$WINEPREFIX/drive_c/Program Files/Druma"
if [ -e "$druma" ]; then
  echo "$druma is there already, and not this test's to change" >&2
  exit 1
fi
work="$(mktemp -d)"
trap 'rm -rf "$work" "$druma"' EXIT
mkdir -p "$druma"
# A new database keeps its template's bytes but for its name and its zones:
# a template with the sample's name field must give the sample itself.
{ head -c 32 "$samples/zones.pdb"; tail -c +33 "$samples/Kolpa.org"; } >"$druma/Kolpa.org"
cmp -s "$druma/Kolpa.org" "$samples/zones.pdb" && { echo "the template has the sample's zones" >&2; exit 1; }
cp "$samples/zones.map" "$work/zones.map"
wine "$program" to-pdb "Z:$work/zones.map" -o - 2>"$work/messages" | cat >"$work/piped.pdb"
cmp "$work/piped.pdb" "$samples/zones.pdb"
