#!/usr/bin/env bash
# Builds tavrel.exe and plays it in a Wine console window. The game needs a real
# console window: in a plain terminal Wine's console only reads keys while a line
# is being read, so the menu would never see a key press.
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

"$root/scripts/deps.sh" play

if [ -z "${DISPLAY:-}" ]; then
  echo "play.sh: no X display (DISPLAY is not set); start it from a desktop session" >&2
  exit 1
fi

cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target tavrel

export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix-play}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "play.sh: preparing the Wine prefix $WINEPREFIX (once)"
  wineboot -i >/dev/null 2>&1
fi

cd "$root/build/windows"
# wineconsole opens a console window of its own and returns when the game ends.
wineconsole tavrel.exe
