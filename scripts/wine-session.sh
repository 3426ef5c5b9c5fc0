# Sourced, not run: gives the calling script a throwaway Wine prefix with a
# persistent server and a virtual X display, all removed when it exits.
#   source scripts/wine-session.sh
# Sets WINEPREFIX, WINEDEBUG, LC_ALL and DISPLAY.

export WINEDEBUG=-all
# Non-ASCII arguments reach the Windows programs intact only in a UTF-8 locale.
export LC_ALL=C.UTF-8
WINEPREFIX="$(mktemp -u /tmp/zonora-wine.XXXXXX)"
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
wine_session_xvfb=$!
export DISPLAY="$wine_session_display"

wine_session_end() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$wine_session_xvfb" >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
}
trap wine_session_end EXIT

# This order (make the prefix, wait for its server to end, then keep a server
# running) is the one that does not hang; every later process then starts fast.
wineboot -i >/dev/null 2>&1
wineserver -w
wineserver -p
# Without a window manager, windows Wine manages itself never get shown.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
