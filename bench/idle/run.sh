#!/usr/bin/env bash
# What waiting costs and what the key-poll pacing costs a program at work, with
# each build beside the baseline built without the pacing (build/windows-unpaced,
# build/linux-unpaced), in one run on one X display:
#   1. bench/idle/poll_work.py: a program that works 0 (a pure wait), 10 us,
#      100 us, 1 ms and 10 ms between empty ReadKey polls, natively in a
#      terminal and an X11 window, under Wine in a console and a DirectX and a
#      GDI window: steps per second paced / unpaced, CPU of the pure wait.
#   2. The game's CPU share at the menu, at "Hodite !" and at "COMP (press
#      enter)", RUNS runs each: under Wine with DirectX and with GDI
#      (idle_bench, which also runs the animation program with and without
#      polls), and natively (bench/idle/native_idle.py).
#   3. The key-to-screen latency (bench/latency) of the paced and the unpaced
#      Windows build, alternating twice, with each driver.
#   bench/idle/run.sh [SECONDS] [LATENCY_SAMPLES] [RUNS] [LEVEL_SECONDS]
#   (defaults 10, 120, 3, 2). Builds what it needs first.
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$root"
scripts/deps.sh native-bench
cmake --preset windows >/dev/null && cmake --build --preset windows -j2 >/dev/null
cmake --preset linux >/dev/null && cmake --build --preset linux -j2 --target tavrel poll_work >/dev/null
# The baselines need the programs the benchmarks run.
cmake -S . -B build/windows-unpaced -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DTAVREL_PACE_KEY_POLLS=OFF >/dev/null
cmake --build build/windows-unpaced -j2 \
  --target tavrel game_driver window_query pass_rate process_usage poll_work >/dev/null
cmake -S . -B build/linux-unpaced -DCMAKE_BUILD_TYPE=Release -DTAVREL_REAL_PLATFORM=ON \
  -DTAVREL_TESTS=OFF -DTAVREL_PACE_KEY_POLLS=OFF >/dev/null
cmake --build build/linux-unpaced -j2 --target tavrel poll_work >/dev/null
cmake --preset e2e >/dev/null
cmake --build --preset e2e -j2 --target idle_bench latency_bench >/dev/null
prefix=$root/build/e2e/wineprefix
export TAVREL_E2E_WORK=$root/build/e2e/bench-work
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset KVGFX
mkdir -p "$TAVREL_E2E_WORK"
scripts/with-display.sh bash -c '
  trap "tests/e2e/desktop-prefix.sh down \"$WINEPREFIX\"" EXIT
  tests/e2e/desktop-prefix.sh up "$WINEPREFIX" >/dev/null
  echo "== work between polls, $4 s per amount of work"
  python3 bench/idle/poll_work.py "$PWD" "$4"
  for driver in DirectX GDI; do
    for run in $(seq 1 "$3"); do
      echo "== KVGFX=$driver, run $run"
      KVGFX=$driver TAVREL_WINDOWS_BUILD=$PWD/build/windows build/e2e/bench/idle/idle_bench "$1"
    done
  done
  echo "== native"
  python3 bench/idle/native_idle.py build/linux/tavrel "$1" "$3"
  for driver in DirectX GDI; do
    echo "== latency, KVGFX=$driver"
    for round in 1 2; do
      for build in windows windows-unpaced; do
        printf "%s round %s: " "$build" "$round"
        KVGFX=$driver TAVREL_WINDOWS_BUILD=$PWD/build/$build build/e2e/bench/latency/latency_bench "$2" |
          grep key_to_pixels
      done
    done
  done' bench "${1:-10}" "${2:-120}" "${3:-3}" "${4:-2}"
