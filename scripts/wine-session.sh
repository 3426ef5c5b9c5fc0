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

export WINEDEBUG=-all
# Non-ASCII arguments reach the Windows programs intact only in a UTF-8 locale.
export LC_ALL=C.UTF-8
wine_session_arch="${ZONORA_WINE_ARCH:-win64}"
case "$wine_session_arch" in
  win32 | win64) ;;
  *)
    echo "wine-session: ZONORA_WINE_ARCH is win32 or win64, not \"$wine_session_arch\"" >&2
    exit 1
    ;;
esac
WINEPREFIX="$(mktemp -u "/tmp/zonora-$wine_session_arch.XXXXXX")"
export WINEPREFIX

wine_session_display=""
for number in $(seq 90 140); do
  if [ ! -e "/tmp/.X11-unix/X$number" ] && [ ! -e "/tmp/.X$number-lock" ]; then
    wine_session_display=":$number"
    break
  fi
done
if [ -z "$wine_session_display" ]; then
  echo "wine-session: no free X display number" >&2
  exit 1
fi
Xvfb "$wine_session_display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
wine_session_xvfbs+=($!)
wine_session_prefixes+=("$WINEPREFIX")
export DISPLAY="$wine_session_display"
# The display's number is taken once its lock is there, before another looks.
for _ in $(seq 50); do
  [ ! -e "/tmp/.X${wine_session_display#:}-lock" ] || break
  sleep 0.1
done

wine_session_end() {
  local prefix xvfb
  for prefix in "${wine_session_prefixes[@]}"; do
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  done
  for xvfb in "${wine_session_xvfbs[@]}"; do
    kill "$xvfb" >/dev/null 2>&1 || true
  done
  for prefix in "${wine_session_prefixes[@]}"; do
    rm -rf "$prefix"
  done
}
trap wine_session_end EXIT

# This order (make the prefix, wait for its server to end, then keep a server
# running) is the one that does not hang; every later process then starts fast.
WINEARCH="$wine_session_arch" wineboot -i >/dev/null 2>&1
wineserver -w
# Wine notes which kind of prefix it made at the top of its registry.
if ! grep -qx "#arch=$wine_session_arch" "$WINEPREFIX/system.reg" 2>/dev/null; then
  echo "wine-session: no $wine_session_arch prefix was made in $WINEPREFIX" >&2
  exit 1
fi
wineserver -p
# Without a window manager, windows Wine manages itself never get shown.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
