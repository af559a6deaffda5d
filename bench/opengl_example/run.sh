#!/usr/bin/env bash
# Measures the OpenGL example's frames per second and key-to-screen latency
# (p50, p99 over SAMPLES keys per mode) under Wine, llvmpipe and Xvfb, in Wine's
# virtual desktop.
#   bench/opengl_example/run.sh [SAMPLES]
# Builds what it needs (windows and e2e presets) first.
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$root"
cmake --preset windows >/dev/null && cmake --build --preset windows --target opengl_board window_query >/dev/null
cmake --preset e2e >/dev/null && cmake --build --preset e2e --target example_bench >/dev/null
prefix=$root/build/e2e/wineprefix
export TAVREL_WINDOWS_BUILD=$root/build/windows TAVREL_E2E_WORK=$root/build/e2e/bench-work
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$TAVREL_E2E_WORK"
scripts/with-display.sh bash -c '
  trap "tests/e2e/desktop-prefix.sh down \"$WINEPREFIX\"" EXIT
  tests/e2e/desktop-prefix.sh up "$WINEPREFIX" >/dev/null
  build/e2e/bench/opengl_example/example_bench "$@"' bench "${1:-70}"
