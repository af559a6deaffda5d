#!/usr/bin/env bash
# Builds and runs the blitter benchmark in one run (repetitions interleaved at
# random, so a busy machine hurts every contender alike) and prints the table of
# median CPU times and ratios. Usage: bench/run_blit_bench.sh [repetitions] [min_time_s]
set -eu
cd "$(dirname "$0")/.."
reps="${1:-9}"
min_time="${2:-0.1}"
scripts/deps.sh bench
cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
out="build/bench/blit_bench.json"
build/bench/bench/blit_bench --benchmark_repetitions="$reps" --benchmark_min_time="$min_time" \
  --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true \
  --benchmark_format=json --benchmark_out="$out" --benchmark_out_format=json >/dev/null
python3 bench/blit_ratios.py "$out"
