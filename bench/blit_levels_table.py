#!/usr/bin/env python3
"""Turns alternating native and Windows runs of blit_levels into the table of
BENCHMARKS.md: per pair and level the median over the runs of each run's median
ns per 640x480 frame, the ratio Windows/native, the lowest and highest ratio of
one alternation's pair of runs, and whether the ratio is within 10%.

Usage: blit_levels_table.py DIR   (DIR holds native-N.txt and windows-N.txt)
"""
import glob
import os
import re
import statistics
import sys

LEVELS = ["portable", "avx512vbmi", "avx2", "ssse3", "sse2"]
SOURCES = ["idx8", "rgb16", "rgb32"]
TOLERANCE = 0.10


def read_run(path):
    """{(pair, order, level): (median_ns, checksum)} of one run."""
    cells = {}
    with open(path) as f:
        for line in f:
            fields = line.split()
            if len(fields) != 8:
                continue
            pair, order, level, median = fields[0], fields[1], fields[2], float(fields[3])
            cells[(pair, order, level)] = (median, fields[7])
    return cells


def read_runs(directory, side):
    def number(path):
        return int(re.search(r"-(\d+)\.txt$", path).group(1))
    paths = sorted(glob.glob(os.path.join(directory, f"{side}-*.txt")), key=number)
    return [read_run(p) for p in paths]


def sort_key(key):
    pair, order, level = key
    src, dst = pair.split("->")
    rank = LEVELS.index(level) if level in LEVELS else len(LEVELS)
    return (SOURCES.index(src) if src in SOURCES else 9, int(dst), order, rank, level)


def main(directory):
    native, windows = read_runs(directory, "native"), read_runs(directory, "windows")
    if not native or len(native) != len(windows):
        sys.exit(f"{directory}: need as many native as windows runs (got {len(native)}, {len(windows)})")
    keys = sorted(set().union(*native, *windows), key=sort_key)
    print(f"{len(native)} alternations of a native and a Windows run.\n")
    print("| pair | level | native ns | Windows ns | Windows/native | per alternation | within 10% |")
    print("|---|---|---:|---:|---:|---|---|")
    within = problems = 0
    for key in keys:
        if not all(key in run for run in native + windows):
            print(f"| {key[0]} {key[1]} | {key[2]} | missing from a run | | | | no |")
            problems += 1
            continue
        sums = {run[key][1] for run in native + windows}
        n = statistics.median(run[key][0] for run in native)
        w = statistics.median(run[key][0] for run in windows)
        ratio = w / n
        pairs = [wr[key][0] / nr[key][0] for nr, wr in zip(native, windows)]
        ok = abs(ratio - 1) <= TOLERANCE and len(sums) == 1
        within += ok
        note = "" if len(sums) == 1 else " (bytes differ)"
        print(f"| {key[0]} {key[1]} | {key[2]} | {n:.0f} | {w:.0f} | {ratio:.2f} "
              f"| {min(pairs):.2f}-{max(pairs):.2f} | {'yes' if ok else 'NO'}{note} |")
    mismatched = sum(1 for key in keys if all(key in r for r in native + windows)
                     and len({r[key][1] for r in native + windows}) > 1)
    print(f"\n{within} of {len(keys)} cells within 10%; "
          f"{mismatched} with different bytes; {problems} missing from a run.")
    return 0 if within == len(keys) else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "build/blit-levels"))
