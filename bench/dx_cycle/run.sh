#!/usr/bin/env bash
# Runs the fullscreen-switch model (dx_cycle.exe) in the window tests' Wine
# prefix with its virtual desktop, once per variant, and prints per cycle the
# memory Linux counts for the process (Anonymous, as the soak measures it, and
# Private_Clean + Private_Dirty, which moves with what other processes map) of
# /proc/PID/smaps_rollup, its descriptors, and what Wine itself reports. Run under scripts/with-display.sh after the windows and
# e2e builds:
#   bench/dx_cycle/run.sh CYCLES 'VARIANT ARGS' ['VARIANT ARGS' ...]
# e.g. bench/dx_cycle/run.sh 40 'toggle frames' 'toggle frames keep-ddraw keep-dinput' 'runtime'
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cycles=$1
shift
export WINEPREFIX=$root/build/e2e/wineprefix WINEDEBUG=${TEST_WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
work=$(mktemp -d)
trap '"$root/tests/e2e/desktop-prefix.sh" down "$WINEPREFIX"; rm -rf "$work"' EXIT
"$root/tests/e2e/desktop-prefix.sh" up "$WINEPREFIX" >/dev/null

# The model's Linux process: named after the exe, in this prefix.
model_pid() {
  for d in /proc/[0-9]*; do
    [ "$(cat "$d/comm" 2>/dev/null)" = dx_cycle.exe ] || continue
    tr '\0' '\n' <"$d/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && { basename "$d"; return; }
  done
}

private_kb() { awk '/^Private_(Clean|Dirty):/ { kb += $2 } END { print kb }' "/proc/$1/smaps_rollup"; }
anonymous_kb() { awk '/^Anonymous:/ { print $2 }' "/proc/$1/smaps_rollup"; }

for variant in "$@"; do
  echo "== $variant"
  rm -f "$work/in" && mkfifo "$work/in"
  # shellcheck disable=SC2086
  wine "$root/build/windows/tests/e2e/dx_cycle.exe" "$cycles" $variant ask <"$work/in" >"$work/out" 2>"$work/err" &
  exec 3>"$work/in"
  pid=""
  for n in $(seq 0 "$cycles"); do
    for _ in $(seq 1 3000); do
      grep -q "^cycle $n " "$work/out" 2>/dev/null && break
      sleep 0.01
    done
    line=$(grep "^cycle $n " "$work/out" | tr -d '\r') || { echo "no sample $n"; cat "$work/err"; break; }
    [ -n "$pid" ] || pid=$(model_pid)
    echo "$line host_anonymous_kb $(anonymous_kb "$pid") host_private_kb $(private_kb "$pid") fds $(ls "/proc/$pid/fd" | wc -l)"
    echo >&3
  done
  exec 3>&-
  wait || true
done
