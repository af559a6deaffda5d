#!/usr/bin/env python3
"""Turns a blit_bench JSON run into the ratio table of BENCHMARKS.md.

Times are medians of the repetitions' CPU times, in microseconds per 640x480
frame. "peer/vector" is the faster of pixman and SDL2 divided by the vector
blitter (1.0 or more: at least as fast); "memcpy/vector" is memcpy of the same
destination bytes divided by the vector blitter (for plain copies: 0.9 or more).
"""
import json
import sys

DEST_BYTES = {"8": 1, "15": 2, "16": 2, "24": 3, "32": 4}


def medians(path):
    with open(path) as f:
        run = json.load(f)
    times = {}
    for b in run["benchmarks"]:
        if b.get("aggregate_name") != "median" or b.get("error_occurred"):
            continue
        name = b["run_name"]
        scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3}[b["time_unit"]]
        times[name] = b["cpu_time"] * scale
    return times


def is_copy(src, dst, order):
    return dst == "8" or (src == "rgb16" and dst == "16" and order == "0") or (
        src == "rgb32" and dst == "32" and order == "0")


def main(path):
    t = medians(path)
    pairs = sorted({n.split("/", 1)[1] for n in t if n.startswith("vector/")},
                   key=lambda p: (["idx8", "rgb16", "rgb32"].index(p.split("_to_")[0]),
                                  int(p.split("_to_")[1].split("_")[0]), p[-1]))
    print("| pair | vector µs | portable µs | memcpy µs | pixman µs | SDL2 µs | peer/vector | memcpy/vector | target |")
    print("|---|---:|---:|---:|---:|---:|---:|---:|---|")
    misses = 0
    for p in pairs:
        src, rest = p.split("_to_")
        dst, order = rest.split("_o")
        dst_bytes = DEST_BYTES[dst]
        memcpy_key = "memcpy/" + {1: "8", 2: "16", 3: "24", 4: "32"}[dst_bytes]
        v, port, mc = t.get("vector/" + p), t.get("portable/" + p), t.get(memcpy_key)
        px, sdl = t.get("pixman/" + p), t.get("sdl2/" + p)
        peers = [x for x in (px, sdl) if x]
        fmt = lambda x: f"{x:.1f}" if x else "-"
        peer_ratio = min(peers) / v if peers and v else None
        mc_ratio = mc / v if mc and v else None
        if is_copy(src, dst, order):
            ok = mc_ratio is not None and mc_ratio >= 0.9
        else:
            ok = peer_ratio is None or peer_ratio >= 1.0
        misses += not ok
        print(f"| {src}→{dst} o{order} | {fmt(v)} | {fmt(port)} | {fmt(mc)} | {fmt(px)} | {fmt(sdl)} "
              f"| {fmt(peer_ratio) if peer_ratio is None else f'{peer_ratio:.2f}'} "
              f"| {f'{mc_ratio:.2f}' if mc_ratio else '-'} | {'met' if ok else 'MISSED'} |")
    print(f"\n{len(pairs) - misses} of {len(pairs)} pairs meet the target.")
    lower_levels(t)


def lower_levels(t):
    """The pairs measured again at the lower instruction-set levels."""
    levels = sorted({n.split("/")[0][len("level-"):] for n in t if n.startswith("level-")})
    if not levels:
        return
    pairs = sorted({n.split("/", 1)[1] for n in t if n.startswith("level-")})
    print("\nLower instruction-set levels (µs, and faster peer / level):\n")
    print("| pair | best level µs | " + " | ".join(f"{l} µs | peer/{l}" for l in levels) + " |")
    print("|---|---:|" + "---:|---:|" * len(levels))
    for p in pairs:
        peers = [x for x in (t.get("pixman/" + p), t.get("sdl2/" + p)) if x]
        cells = []
        for l in levels:
            v = t.get(f"level-{l}/{p}")
            cells.append(f"{v:.1f} | {min(peers) / v:.2f}" if v and peers else "- | -")
        src, rest = p.split("_to_")
        dst, order = rest.split("_o")
        print(f"| {src}→{dst} o{order} | {t['vector/' + p]:.1f} | " + " | ".join(cells) + " |")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "build/bench/blit_bench.json")
