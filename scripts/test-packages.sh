#!/usr/bin/env bash
# Builds both packages (scripts/package.sh) and checks them as a user meets
# them. The Debian package: its metadata passes the validators and lintian
# (errors fail, warnings are shown), it installs with apt on this machine, the
# installed program shows its window, and remove and purge take every file away.
# The Windows setup, in a throwaway 64-bit and then a 32-bit Wine prefix: silent
# install of the program of the prefix's bitness, what it put there, the
# installed program's window, silent uninstall, nothing left; then an install
# into a folder of the user's choice that holds a file of theirs, which the
# uninstall keeps. Runs as root or with sudo; assumes scripts/setup.sh ran.
# The setup is a 32-bit program: on a machine that cannot run 32-bit programs
# (scripts/bitness.sh) it is built but not run, and one line says so.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/failure.sh
source scripts/bitness.sh

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
caption="$(sed -n 's/^project(.* DESCRIPTION "\([^"]*\)".*/\1/p' CMakeLists.txt)"

# Wine's menu builder would copy the setup's shortcut into this machine's own
# desktop menus, outside the throwaway prefix. (The session's display serves
# the Debian package's program too.)
export WINEDLLOVERRIDES="winemenubuilder.exe=d"
source scripts/wine-session.sh

program_pid=""
scratch="$(mktemp -d)"
cleanup() {
  [ -z "$program_pid" ] || kill "$program_pid" >/dev/null 2>&1 || true
  rm -rf "$scratch"
  wine_session_end
}
trap cleanup EXIT

# Starts a program in the background and waits for its window to appear on
# the virtual display; then ends it.
shows_window() {
  "$@" >"$scratch/program.log" 2>&1 &
  program_pid=$!
  if ! timeout 30 xdotool search --sync --name "^$caption\$" >/dev/null; then
    cat "$scratch/program.log" >&2
    fail "$* showed no window \"$caption\""
  fi
  kill "$program_pid"
  wait "$program_pid" 2>/dev/null || true
  program_pid=""
}

step "building the packages"
bash scripts/package.sh
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release/CMakeCache.txt)"
deb="$PWD/build/packages/zonora_${version}-1_amd64.deb"
setup="$PWD/build/packages/zonora-${version}-setup.exe"
[ -f "$deb" ] || fail "no $deb"
[ -f "$setup" ] || fail "no $setup"

step "Debian package: contents and metadata"
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"
tree="$scratch/deb"
dpkg-deb -x "$deb" "$tree"
desktop-file-validate "$tree/usr/share/applications/zonora.desktop"
for metainfo in "$tree"/usr/share/metainfo/*.metainfo.xml; do
  appstreamcli validate --no-net "$metainfo"
done
# The metadata together with the desktop entry its launchable names.
appstreamcli validate-tree --no-net "$tree"
for size in 16 32 48; do
  [ -f "$tree/usr/share/icons/hicolor/${size}x${size}/apps/zonora.png" ] || fail "no ${size}px icon"
done
[ -f "$tree/usr/share/man/man1/zonora.1.gz" ] || fail "no manual page"
zcat "$tree/usr/share/man/man1/zonora.1.gz" | head -n 5 | grep -q "Zonora ${version}" ||
  fail "the manual page does not give version ${version}"
completion="$tree/usr/share/bash-completion/completions/zonora"
[ -f "$completion" ] || fail "no bash completion"
[ "$(bash -c "source '$completion'; complete -p zonora")" = "complete -F _zonora zonora" ] ||
  fail "the bash completion does not complete zonora"
[ "$(bash -c "source '$completion'; COMP_WORDS=(zonora ch); COMP_CWORD=1; _zonora; echo \${COMPREPLY[*]}")" = check ] ||
  fail "the bash completion does not complete a command"

step "Debian package: the program is hardened as Debian's own are"
program="$tree/usr/bin/zonora"
symbols="$(nm -D "$program")"
grep -q " U __stack_chk_fail" <<<"$symbols" || fail "no stack protector in $program"
grep -q " U __[a-z0-9_]*_chk@" <<<"$symbols" || fail "no fortified functions in $program"
readelf -d "$program" | grep -q "BIND_NOW" || fail "$program is not bound immediately"
readelf -lW "$program" | grep -q "GNU_RELRO" || fail "$program has no RELRO segment"

step "lintian"
# Debian's archive asks a first upload to close the bug that requested the
# package; this package is not uploaded there, so there is none to close.
lintian --fail-on error --suppress-tags initial-upload-closes-no-bugs "$deb" ||
  fail "lintian found errors"

step "Debian package: install"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "$deb"
dpkg-query -W -f='${Status} ${Version}\n' zonora | grep -qx "install ok installed ${version}-1" ||
  fail "zonora ${version}-1 is not installed"
dpkg -L zonora >"$scratch/installed"
[ -x /usr/bin/zonora ] || fail "no /usr/bin/zonora"
shows_window env -u QT_QPA_PLATFORM /usr/bin/zonora

step "Debian package: remove and purge"
DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y zonora
while read -r path; do
  if [ -e "$path" ] && [ ! -d "$path" ]; then
    fail "$path is still there after apt-get remove"
  fi
done <"$scratch/installed"
# With no configuration files the package is gone from apt's view after the
# remove; dpkg purges whatever it still knows of it.
$sudo dpkg --purge zonora
if dpkg-query -W -f='${Status}\n' zonora 2>/dev/null | grep -q installed; then
  fail "zonora is still known to dpkg after purge"
fi
# A folder that stays must be shared with something else, so not empty.
while read -r path; do
  if [ -d "$path" ] && [ -z "$(ls -A "$path")" ]; then
    fail "$path is left behind, empty"
  fi
done <"$scratch/installed"

uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zonora'

# The uninstall key is read in the system's own registry view, the one
# Add/Remove Programs shows: /reg:64 is the 64-bit view in a 64-bit prefix
# (where Wine's reg reads the 32-bit one by itself) and the only view in a
# 32-bit prefix. registry_value prints one value as `reg query` shows it.
registry_value() {
  { wine reg query "$uninstall_key" /v "$1" /reg:64 2>/dev/null || true; } | tr -d '\r' |
    sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}
key_present() {
  wine reg query "$uninstall_key" /reg:64 >/dev/null 2>&1
}
# The uninstaller hands over to a copy of itself in the temporary folder and
# returns at once; its last step removes the key.
uninstall_silently() {
  wine "$1\\uninstall.exe" /S
  for _ in $(seq 60); do
    key_present || return 0
    sleep 0.5
  done
  fail "the uninstaller from $1 did not finish"
}
expect_value() {
  local actual
  actual="$(registry_value "$1")"
  [ "$actual" = "$2" ] || fail "$1 is \"$actual\", not \"$2\""
}

# The Windows setup in the current Wine session's prefix, whose bitness BITS
# is that of the program the setup must install there.
check_windows_setup() {
  local bits="$1"
  local drive_c="$WINEPREFIX/drive_c"
  local shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zonora.lnk"
  local program="build/windows-$bits/ui/win32/zonora.exe"
  local folder flags size_kb actual_kb

  step "Windows setup, $bits-bit prefix: silent install"
  wine "$setup" /S || fail "the setup failed"
  # Program Files is the 64-bit one in a 64-bit prefix, the only one in a 32-bit prefix.
  folder="$drive_c/Program Files/Zonora"
  [ "$(ls "$folder")" = "$(printf 'uninstall.exe\nzonora.exe')" ] ||
    fail "$folder holds: $(ls "$folder" | tr '\n' ' ')"
  cmp "$folder/zonora.exe" "$program" || fail "the setup did not install the $bits-bit program"
  [ ! -e "$drive_c/Program Files (x86)/Zonora" ] || fail "the setup wrote to Program Files (x86)"
  [ -f "$shortcut" ] || fail "no Start-menu shortcut"
  # The shortcut's flags (offset 20) say it has an icon location (bit 6).
  flags=$(od -An -tu4 -j20 -N4 "$shortcut" | tr -d ' ')
  ((flags & 0x40)) || fail "the shortcut has no icon"
  grep -qa 'Z.o.n.o.r.a.\\.z.o.n.o.r.a...e.x.e' "$shortcut" ||
    fail "the shortcut does not start zonora.exe"
  expect_value DisplayName "Zonora"
  expect_value DisplayVersion "$version"
  expect_value Publisher "The Zonora developers"
  expect_value DisplayIcon 'C:\Program Files\Zonora\zonora.exe,0'
  expect_value UninstallString '"C:\Program Files\Zonora\uninstall.exe"'
  expect_value QuietUninstallString '"C:\Program Files\Zonora\uninstall.exe" /S'
  expect_value InstallLocation 'C:\Program Files\Zonora'
  expect_value NoModify 0x1
  expect_value NoRepair 0x1
  size_kb=$(($(registry_value EstimatedSize)))
  actual_kb=$(($(du -sk "$folder" | cut -f1)))
  ((size_kb > 0 && size_kb <= actual_kb)) || fail "EstimatedSize $size_kb KB for $actual_kb KB"
  # A 32-bit setup that left the registry view alone would have written there.
  if [ "$bits" = 64 ] && wine reg query "$uninstall_key" /reg:32 >/dev/null 2>&1; then
    fail "the uninstall entry is in the 32-bit registry view"
  fi
  wine reg query "$uninstall_key" /reg:64

  step "Windows setup, $bits-bit prefix: the installed program"
  shows_window wine 'C:\Program Files\Zonora\zonora.exe'

  step "Windows setup, $bits-bit prefix: silent uninstall"
  uninstall_silently 'C:\Program Files\Zonora'
  [ ! -e "$folder" ] || fail "$folder is left behind"
  [ ! -e "$shortcut" ] || fail "the shortcut is left behind"

  step "Windows setup, $bits-bit prefix: a folder of the user's choice, with the user's own file"
  wine "$setup" /S '/D=C:\Tools\Zonora' || fail "the setup into C:\\Tools\\Zonora failed"
  folder="$drive_c/Tools/Zonora"
  cmp "$folder/zonora.exe" "$program" || fail "the setup did not install the $bits-bit program"
  expect_value InstallLocation 'C:\Tools\Zonora'
  printf 'Druma ZONES.PDB convert on 2026-12-07 12:00\r\n' >"$folder/zones.MAP"
  uninstall_silently 'C:\Tools\Zonora'
  [ "$(ls "$folder")" = "zones.MAP" ] || fail "$folder holds: $(ls "$folder" | tr '\n' ' ')"
  [ ! -e "$shortcut" ] || fail "the shortcut is left behind"
  key_present && fail "the uninstall entry is left behind"
  rm -rf "$drive_c/Tools"
}

if [ "$zonora_runs_32_bit" = no ]; then
  step "Windows setup"
  echo "Windows setup: built, not run here: it is a 32-bit program, and this machine cannot run 32-bit programs"
  step "packages checked"
  ls -l "$deb" "$setup"
  exit 0
fi

check_windows_setup 64
# The 32-bit prefix lives in a subshell; it ends, and its program with it, there.
(
  ZONORA_WINE_ARCH=win32 source scripts/wine-session.sh
  trap '[ -z "$program_pid" ] || kill "$program_pid" >/dev/null 2>&1 || true; wine_session_end' EXIT
  check_windows_setup 32
)

step "packages checked"
ls -l "$deb" "$setup"
