#!/usr/bin/env bash
# The native tavrel beside the Windows tavrel.exe under Wine (DirectX), in one
# run on one X display: start to menu, key to king pixels and update passes,
# idle CPU at the menu and at "Hodite !" (bench/native/run.py says how).
#   bench/native/run.sh [SAMPLES] [BASELINE]
# SAMPLES: key samples per program, default 120. BASELINE: the source folder of
# another version with its build/linux/tavrel and build/windows (tavrel.exe and
# its tests/e2e helpers) built; its table follows, measured the same way.
# Builds what it needs (linux, windows and e2e presets) first.
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$root"
scripts/deps.sh native-bench
cmake --preset linux >/dev/null && cmake --build --preset linux -j2 --target tavrel >/dev/null
cmake --preset windows >/dev/null && cmake --build --preset windows -j2 >/dev/null
cmake --preset e2e >/dev/null
cmake --build --preset e2e -j2 --target latency_bench idle_bench native_latency_bench >/dev/null
prefix=$root/build/e2e/wineprefix
export TAVREL_WINDOWS_BUILD=$root/build/windows TAVREL_E2E_WORK=$root/build/e2e/bench-work
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset KVGFX
mkdir -p "$TAVREL_E2E_WORK"
scripts/with-display.sh bash -c '
  trap "tests/e2e/desktop-prefix.sh down \"$WINEPREFIX\"" EXIT
  tests/e2e/desktop-prefix.sh up "$WINEPREFIX" >/dev/null
  python3 bench/native/run.py build/linux/tavrel build/windows/tavrel.exe build/e2e "$1"
  [ -n "$2" ] || exit 0
  echo "== baseline $2"
  TAVREL_WINDOWS_BUILD=$2/build/windows \
    python3 bench/native/run.py "$2/build/linux/tavrel" "$2/build/windows/tavrel.exe" build/e2e "$1"' \
  bench "${1:-120}" "${2:-}"
