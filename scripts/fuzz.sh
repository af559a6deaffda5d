#!/usr/bin/env bash
# Builds the fuzz targets (the fuzz preset: clang, libFuzzer, ASan, UBSan) and
# runs each for SECONDS (default 600), all at once, at low priority. Prints each
# target's executions and crashes; the exit status is non-zero when any crashed.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
"$root/scripts/deps.sh" fuzz || exit 1
seconds=${1:-600}
shift || true
cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j2 >/dev/null || exit 1
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi
work=$root/build/fuzz/runs
mkdir -p "$work"
pids=()
for t in "${targets[@]}"; do
  mkdir -p "$work/$t.corpus"
  (cd "$work" && nice -n 10 "$root/build/fuzz/fuzz/$t" -max_total_time="$seconds" \
     -print_final_stats=1 "$t.corpus" >"$t.log" 2>&1) &
  pids+=($!)
done
failed=0
for i in "${!targets[@]}"; do
  t=${targets[$i]}
  if ! wait "${pids[$i]}"; then failed=1; fi
  runs=$(grep -E '^stat::number_of_executed_units' "$work/$t.log" | awk '{print $2}')
  took=$(grep -E '^Done [0-9]+ runs in' "$work/$t.log" | awk '{print $5}')
  crashes=$(grep -cE '^==[0-9]+==ERROR|deadly signal|SUMMARY: .*Sanitizer' "$work/$t.log")
  echo "$t: ${runs:-?} executions in ${took:-?} s, ${crashes} crashes (log $work/$t.log)"
done
exit $failed
