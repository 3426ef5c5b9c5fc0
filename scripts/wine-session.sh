# Sourced, not run: gives the calling script a throwaway Wine prefix with a
# persistent server and a virtual X display, all removed when it exits.
#   source scripts/wine-session.sh                          # a 64-bit prefix
#   ZONORA_WINE_ARCH=win32 source scripts/wine-session.sh   # a 32-bit one
# A 64-bit prefix runs 64-bit and 32-bit programs, as 64-bit Windows does; a
# 32-bit prefix only 32-bit ones, as 32-bit Windows does. Sourced again, it
# makes one more session beside the others (note WINEPREFIX and DISPLAY of
# the earlier one first); every one ends when the script exits.
# Sets WINEPREFIX, WINEDEBUG, LC_ALL and DISPLAY. (Wine tells a prefix's kind
# from the prefix itself, so WINEARCH is left unset for later calls.)
# What the display, wineboot and the server print goes to a log beside the
# prefix, shown when one of them fails.

wine_session_folder="$(dirname "${BASH_SOURCE[0]}")"
declare -F fail >/dev/null || source "$wine_session_folder/failure.sh"
[ -n "${zonora_runs_32_bit:-}" ] || source "$wine_session_folder/bitness.sh"

export WINEDEBUG=-all
# Non-ASCII arguments reach the Windows programs intact only in a UTF-8 locale.
export LC_ALL=C.UTF-8
wine_session_arch="${ZONORA_WINE_ARCH:-win64}"
case "$wine_session_arch" in
  win32 | win64) ;;
  *)
    fail "wine-session: ZONORA_WINE_ARCH is win32 or win64, not \"$wine_session_arch\""
    ;;
esac
if [ "$wine_session_arch" = win32 ] && [ "$zonora_runs_32_bit" = no ]; then
  fail "wine-session: a win32 prefix needs a machine that runs 32-bit programs, and this one cannot"
fi
WINEPREFIX="$(mktemp -u "/tmp/zonora-$wine_session_arch.XXXXXX")"
export WINEPREFIX
wine_session_log="$WINEPREFIX.log"
: >"$wine_session_log"
wine_session_prefixes+=("$WINEPREFIX")

wine_session_end() {
  local prefix xvfb
  for prefix in "${wine_session_prefixes[@]}"; do
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  done
  for xvfb in "${wine_session_xvfbs[@]}"; do
    kill "$xvfb" >/dev/null 2>&1 || true
  done
  for prefix in "${wine_session_prefixes[@]}"; do
    rm -rf "$prefix" "$prefix.log"
  done
}
trap wine_session_end EXIT

wine_session_display=""
for number in $(seq 90 140); do
  if [ ! -e "/tmp/.X11-unix/X$number" ] && [ ! -e "/tmp/.X$number-lock" ]; then
    wine_session_display=":$number"
    break
  fi
done
[ -n "$wine_session_display" ] || fail "wine-session: no free X display number"

# Fails naming the command, with the last line the log got as its reason,
# after showing the whole log.
wine_session_failed() {
  echo "-- $wine_session_log:" >&2
  cat "$wine_session_log" >&2
  fail "wine-session: $1: $(grep -v '^ *$' "$wine_session_log" | tail -n 1 || true)"
}

Xvfb "$wine_session_display" -screen 0 1024x768x24 -nolisten tcp >>"$wine_session_log" 2>&1 &
wine_session_xvfbs+=($!)
export DISPLAY="$wine_session_display"
# The display's number is taken once its lock is there, before another looks.
for _ in $(seq 50); do
  [ ! -e "/tmp/.X${wine_session_display#:}-lock" ] || break
  kill -0 "${wine_session_xvfbs[-1]}" 2>/dev/null || wine_session_failed "Xvfb $wine_session_display ended"
  sleep 0.1
done

# This order (make the prefix, wait for its server to end, then keep a server
# running) is the one that does not hang; every later process then starts fast.
WINEARCH="$wine_session_arch" wineboot -i >>"$wine_session_log" 2>&1 ||
  wine_session_failed "wineboot -i, making a $wine_session_arch prefix, exited with status $?"
wineserver -w >>"$wine_session_log" 2>&1 || wine_session_failed "wineserver -w exited with status $?"
# Wine notes which kind of prefix it made at the top of its registry.
grep -qx "#arch=$wine_session_arch" "$WINEPREFIX/system.reg" 2>/dev/null ||
  wine_session_failed "wineboot made no $wine_session_arch prefix in $WINEPREFIX"
wineserver -p >>"$wine_session_log" 2>&1 || wine_session_failed "wineserver -p exited with status $?"
# Without a window manager, windows Wine manages itself never get shown.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >>"$wine_session_log" 2>&1 ||
  wine_session_failed "wine reg add exited with status $?"
