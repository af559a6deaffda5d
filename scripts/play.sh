#!/usr/bin/env bash
# Builds and plays the game. By default the native Linux program (the `linux`
# preset) runs in this terminal, with the board in a window on the X display.
# With --windows, tavrel.exe runs in a Wine console window instead: in a plain
# terminal Wine's console only reads keys while a line is being read, so the
# menu would never see a key press. With --web, the page is built and served
# on 127.0.0.1 (PORT, default 8080) until Ctrl+C; open the address it prints.
#   play.sh [--windows | --web]
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

case "${1:-}" in
  "") target=linux ;;
  --windows) target=windows ;;
  --web) target=web ;;
  *) echo "usage: $0 [--windows | --web]" >&2; exit 2 ;;
esac

if [ "$target" = web ]; then
  "$root/scripts/deps.sh" web
  export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
  cmake --preset web >/dev/null
  cmake --build --preset web -j2 --target tavrel >/dev/null
  port=${PORT:-8080}
  echo "Tavrel: http://127.0.0.1:$port/  (Ctrl+C stops the server)"
  exec python3 -m http.server --bind 127.0.0.1 -d "$root/build/web/page" "$port"
fi

if [ "$target" = linux ]; then
  "$root/scripts/deps.sh" linux
  cmake --preset linux >/dev/null
  cmake --build --preset linux -j2 --target tavrel >/dev/null
  [ -t 0 ] || { echo "play.sh: the game reads its keys from a terminal; run it in one" >&2; exit 1; }
  exec "$root/build/linux/tavrel"
fi

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
