#!/usr/bin/env bash
# The Wine prefix of the window tests, with Wine's virtual desktop (1024x768
# unless SIZE says otherwise): in it display-mode changes work and destroying a
# window does not stall. DPI, when given, is the display's density
# (LogPixels: 192 is a 200% display).
#   desktop-prefix.sh up PREFIX [SIZE [DPI]]   make it if needed and start its server
#   desktop-prefix.sh down PREFIX              stop its server
#   desktop-prefix.sh run PREFIX SIZE DPI COMMAND...
#                                   up, the command with WINEPREFIX, TAVREL_E2E_PREFIX
#                                   and TAVREL_E2E_DESKTOP set, then down; its status
set -eu
action=$1
export WINEPREFIX=$(realpath -m "$2")  # Wine takes only an absolute one
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ "$action" = down ]; then
  wineserver -k 2>/dev/null || true
  exit 0
fi
if [ "$action" = run ]; then
  [ $# -ge 5 ] || { echo "usage: $0 run PREFIX SIZE DPI COMMAND..." >&2; exit 2; }
  self=$0 size=$3 dpi=$4
  shift 4
  "$self" up "$WINEPREFIX" "$size" "$dpi"
  status=0
  TAVREL_E2E_PREFIX=$WINEPREFIX TAVREL_E2E_DESKTOP=$size "$@" || status=$?
  "$self" down "$WINEPREFIX"
  exit $status
fi
size=${3:-1024x768}
dpi=${4:-96}
[ -n "${DISPLAY:-}" ] || { echo "desktop-prefix.sh: DISPLAY is not set (run under scripts/with-display.sh)" >&2; exit 1; }
mkdir -p "$WINEPREFIX"
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >"$WINEPREFIX.boot.log" 2>&1 </dev/null
  wineserver -w
fi
# The desktop and the density are read when the server starts its first
# window: set them while no server runs for this prefix, and wait for the one
# that reg started to end.
logpixels=$(printf '"LogPixels"=dword:%08x' "$dpi")
if ! grep -q "\"Default\"=\"$size\"" "$WINEPREFIX/user.reg" || ! grep -q "$logpixels" "$WINEPREFIX/user.reg"; then
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 </dev/null
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$size" /f >/dev/null 2>&1 </dev/null
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 </dev/null
  wineserver -w
fi
grep -q "\"Default\"=\"$size\"" "$WINEPREFIX/user.reg" || { echo "virtual desktop not set" >&2; exit 1; }
grep -q "$logpixels" "$WINEPREFIX/user.reg" || { echo "display density not set" >&2; exit 1; }
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
