#!/usr/bin/env bash
# Times the blitters at every instruction-set level in the native build and in
# the Windows build under Wine, the two runs alternating ALTERNATIONS times in
# this one script (each alternation starts with the other side than the last),
# so that whatever else loads the machine falls on both alike; then prints the
# table of Windows/native ratios.
#   bench/run_blit_levels.sh [repetitions] [alternations] [sample_ms]
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
reps="${1:-9}"
alternations="${2:-3}"
sample_ms="${3:-25}"
scripts/deps.sh bench
scripts/deps.sh test
cmake --preset bench >/dev/null && cmake --build --preset bench --target blit_levels -j2 >/dev/null
cmake --preset windows >/dev/null && cmake --build --preset windows --target blit_levels -j2 >/dev/null
out=$root/build/blit-levels
rm -f "$out"/native-*.txt "$out"/windows-*.txt
mkdir -p "$out"
export TAVREL_WINEPREFIX=$out/wineprefix WINEDEBUG=-all
trap 'WINEPREFIX=$TAVREL_WINEPREFIX wineserver -k >/dev/null 2>&1 || true' EXIT

# Wine's output goes to files, never a pipe: its background processes would
# hold a pipe open.
scripts/with-display.sh bash -c '
  out=$1 reps=$2 alternations=$3 sample_ms=$4
  native() { build/bench/bench/levels/blit_levels "$reps" "$sample_ms" >"$out/native-$1.txt"; }
  windows() {
    scripts/wine-run.sh build/windows/bench/levels/blit_levels.exe "$reps" "$sample_ms" \
      >"$out/windows-$1.txt" 2>"$out/windows-$1.err"
  }
  scripts/wine-run.sh cmd.exe /c exit 0 >/dev/null 2>&1  # the prefix made and its server up first
  for i in $(seq 1 "$alternations"); do
    echo "alternation $i of $alternations" >&2
    if [ $((i % 2)) -eq 1 ]; then native "$i" && windows "$i"; else windows "$i" && native "$i"; fi || exit 1
  done' run "$out" "$reps" "$alternations" "$sample_ms"
python3 bench/blit_levels_table.py "$out"
