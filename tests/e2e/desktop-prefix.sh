#!/usr/bin/env bash
# The Wine prefix of the window tests, with Wine's virtual desktop (1024x768):
# in it display-mode changes work and destroying a window does not stall.
#   desktop-prefix.sh up PREFIX     make it if needed and start its server
#   desktop-prefix.sh down PREFIX   stop its server
set -eu
action=$1
export WINEPREFIX=$2
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ "$action" = down ]; then
  wineserver -k 2>/dev/null || true
  exit 0
fi
[ -n "${DISPLAY:-}" ] || { echo "desktop-prefix.sh: DISPLAY is not set (run under scripts/with-display.sh)" >&2; exit 1; }
mkdir -p "$WINEPREFIX"
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >"$WINEPREFIX.boot.log" 2>&1 </dev/null
  wineserver -w
fi
# The desktop is read when the server starts its first window: set it while no
# server runs for this prefix, and wait for the one that reg started to end.
if ! grep -q '"Default"="1024x768"' "$WINEPREFIX/user.reg"; then
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 </dev/null
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1 </dev/null
  wineserver -w
fi
grep -q '"Default"="1024x768"' "$WINEPREFIX/user.reg" || { echo "virtual desktop not set" >&2; exit 1; }
# A program named opengl_board_plain.exe gets a desktop of its own with no
# size, so no virtual desktop: its windows are X windows on the plain display,
# which reports a refresh rate of 1, as a player's X display without Wine's
# virtual desktop does.
if ! grep -q 'opengl_board_plain.exe' "$WINEPREFIX/user.reg"; then
  wine reg add 'HKCU\Software\Wine\AppDefaults\opengl_board_plain.exe\Explorer' /v Desktop /d Plain /f \
    >/dev/null 2>&1 </dev/null
  wineserver -w
fi
grep -q 'opengl_board_plain.exe' "$WINEPREFIX/user.reg" || { echo "plain desktop not set" >&2; exit 1; }
wineserver -p >/dev/null 2>&1 </dev/null
wine cmd.exe /c exit 0 >/dev/null 2>&1 </dev/null
echo "prefix $WINEPREFIX ready on $DISPLAY"
