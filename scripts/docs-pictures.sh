#!/usr/bin/env bash
# Makes the README's pictures again from the real game under Wine and Xvfb:
# docs/menu.png (the console menu, drawn with the game's own font) and
# docs/board.png (the game window read back from the screen).
# Builds what it needs (windows and e2e presets) first.
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
scripts/deps.sh test
cmake --preset windows >/dev/null && cmake --build --preset windows >/dev/null
cmake --preset e2e >/dev/null && cmake --build --preset e2e >/dev/null
work=$root/build/e2e/docs-work
mkdir -p "$work" docs
export TAVREL_WINDOWS_BUILD=$root/build/windows TAVREL_E2E_WORK=$work
export WINEPREFIX=$root/build/e2e/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
scripts/with-display.sh bash -c '
  trap "tests/e2e/desktop-prefix.sh down \"$WINEPREFIX\"" EXIT
  tests/e2e/desktop-prefix.sh up "$WINEPREFIX" >/dev/null
  build/e2e/tests/e2e/window/docs_pictures "$TAVREL_E2E_WORK"'
for name in menu board; do
  convert "$work/$name.ppm" -strip "docs/$name.png"
done
echo "docs/menu.png docs/board.png written"
