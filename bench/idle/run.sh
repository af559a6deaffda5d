#!/usr/bin/env bash
# The game's idle cost under Wine and Xvfb, with GDI and with DirectX: its CPU
# share at the menu, at "Hodite !" and at "COMP (press enter)", the animation
# program's frames per second with and without polls, and, in the same run, the
# key-to-screen latency (bench/latency) beside them.
#   bench/idle/run.sh [SECONDS] [LATENCY_SAMPLES]
# Builds what it needs (windows and e2e presets) first.
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$root"
scripts/deps.sh test
cmake --preset windows >/dev/null && cmake --build --preset windows >/dev/null
cmake --preset e2e >/dev/null
cmake --build --preset e2e --target idle_bench latency_bench >/dev/null
prefix=$root/build/e2e/wineprefix
export TAVREL_WINDOWS_BUILD=$root/build/windows TAVREL_E2E_WORK=$root/build/e2e/bench-work
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$TAVREL_E2E_WORK"
scripts/with-display.sh bash -c '
  trap "tests/e2e/desktop-prefix.sh down \"$WINEPREFIX\"" EXIT
  tests/e2e/desktop-prefix.sh up "$WINEPREFIX" >/dev/null
  for driver in GDI DirectX; do
    echo "== KVGFX=$driver"
    KVGFX=$driver build/e2e/bench/idle/idle_bench "$1"
    KVGFX=$driver build/e2e/bench/latency/latency_bench "$2" | grep key_to_pixels
  done' bench "${1:-10}" "${2:-120}"
