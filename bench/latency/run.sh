#!/usr/bin/env bash
# Measures the real game's key-to-screen latency (p50, p99 over SAMPLES keys),
# its update passes per second and the CPU its threads use while nothing
# changes, under Wine and Xvfb, with the DirectX display and then with GDI in
# the same run (same display, same prefix, same load), and prints both. The
# DirectX display is measured a second time with Wine's Direct3D command
# thread turned off (its own WINE_D3D_CONFIG setting, not the program's): the
# difference is what the handoffs to that thread cost.
# With BASELINE (the build folder of another tavrel.exe, with its
# tests/e2e/pass_rate.exe, game_driver.exe and window_query.exe) each display
# is measured twice more, that build and this one alternating, so that a
# change's latency is seen beside the build before it on the same machine.
#   bench/latency/run.sh [SAMPLES] [BASELINE]
# Builds what it needs (windows and e2e presets) first.
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$root"
scripts/deps.sh test
cmake --preset windows >/dev/null && cmake --build --preset windows >/dev/null
cmake --preset e2e >/dev/null && cmake --build --preset e2e --target latency_bench >/dev/null
prefix=$root/build/e2e/wineprefix
export TAVREL_WINDOWS_BUILD=$root/build/windows TAVREL_E2E_WORK=$root/build/e2e/bench-work
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$TAVREL_E2E_WORK"
scripts/with-display.sh bash -c '
  trap "tests/e2e/desktop-prefix.sh down \"$WINEPREFIX\"" EXIT
  tests/e2e/desktop-prefix.sh up "$WINEPREFIX" >/dev/null
  run() {
    echo "== $1"
    env $2 build/e2e/bench/latency/latency_bench "$3" || exit 1
  }
  run DirectX "KVGFX=DirectX" "$1"
  run "DirectX, Wine command thread off" "KVGFX=DirectX WINE_D3D_CONFIG=csmt=0" "$1"
  run GDI "KVGFX=GDI" "$1"
  [ -n "$2" ] || exit 0
  for driver in DirectX GDI; do
    for build in "$2" "$TAVREL_WINDOWS_BUILD"; do
      run "$driver, $build" "KVGFX=$driver TAVREL_WINDOWS_BUILD=$build" "$1"
    done
  done' bench "${1:-240}" "${2:-}"
