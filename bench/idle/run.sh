#!/usr/bin/env bash
# The game's idle cost under Wine and Xvfb, with GDI and with DirectX: its CPU
# share at the menu, at "Hodite !" and at "COMP (press enter)", the animation
# program's frames per second with and without polls, and, in the same run, the
# key-to-screen latency (bench/latency) of this build beside a baseline built
# without the key-poll pacing (build/windows-unpaced), alternating twice.
#   bench/idle/run.sh [SECONDS] [LATENCY_SAMPLES]
# Builds what it needs (windows and e2e presets, and the baseline) first.
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$root"
scripts/deps.sh test
cmake --preset windows >/dev/null && cmake --build --preset windows >/dev/null
# The baseline needs the game and the programs the latency benchmark runs.
cmake -S . -B build/windows-unpaced -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DTAVREL_PACE_KEY_POLLS=OFF >/dev/null
cmake --build build/windows-unpaced -j2 --target tavrel game_driver window_query pass_rate process_usage >/dev/null
cmake --preset e2e >/dev/null
cmake --build --preset e2e --target idle_bench latency_bench >/dev/null
prefix=$root/build/e2e/wineprefix
export TAVREL_E2E_WORK=$root/build/e2e/bench-work
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$TAVREL_E2E_WORK"
scripts/with-display.sh bash -c '
  trap "tests/e2e/desktop-prefix.sh down \"$WINEPREFIX\"" EXIT
  tests/e2e/desktop-prefix.sh up "$WINEPREFIX" >/dev/null
  for driver in GDI DirectX; do
    echo "== KVGFX=$driver"
    KVGFX=$driver TAVREL_WINDOWS_BUILD=$PWD/build/windows build/e2e/bench/idle/idle_bench "$1"
    for round in 1 2; do
      for build in windows windows-unpaced; do
        printf "%s round %s: " "$build" "$round"
        KVGFX=$driver TAVREL_WINDOWS_BUILD=$PWD/build/$build build/e2e/bench/latency/latency_bench "$2" |
          grep key_to_pixels
      done
    done
  done' bench "${1:-10}" "${2:-120}"
