"""The key-poll pacing against a program that works between its polls:
bench/idle/poll_work.cpp built with the pacing and without it (the unpaced
baseline), both running at the same time so that both see the same machine,
natively in a terminal (tmux) and in an X11 window, and under Wine in a
console (headless, through game_driver.exe) and in a window with the DirectX
and the GDI display. Prints per setting the steps per second at each amount
of work of both builds and their ratio, and the CPU share of one core (every
thread, from /proc/PID/task/*/schedstat) during the pure wait: medians of
ROUNDS rounds (TAVREL_BENCH_ROUNDS, default 3). Run by bench/idle/run.sh,
which builds the programs and sets up the display and the Wine prefix.
TAVREL_BENCH_ONLY and TAVREL_BENCH_BASELINE pick settings and the baseline
(see main).

  poll_work.py ROOT SECONDS
"""
import os
import statistics
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tests", "e2e", "native"))
from tmux_session import TmuxSession  # noqa: E402

ROUNDS = int(os.environ.get("TAVREL_BENCH_ROUNDS", "3"))


def cpu_ns(pid):
    """CPU time of every live thread of the process, in nanoseconds."""
    total = 0
    for tid in os.listdir("/proc/%d/task" % pid):
        try:
            with open("/proc/%d/task/%s/schedstat" % (pid, tid)) as f:
                total += int(f.read().split()[0])
        except (OSError, ValueError, IndexError):
            pass
    return total


def wine_pid(ending):
    """The Linux process whose first argument, in either kind of path, ends
    with `ending` (a Windows program's path under its build folder)."""
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/cmdline" % entry, "rb") as f:
                first = f.read().split(b"\0")[0].decode(errors="replace")
        except OSError:
            continue
        if first.replace("\\", "/").lower().endswith(ending.lower()):
            return int(entry)
    return None


def wait_line(path, text, deadline):
    while time.monotonic() < deadline:
        try:
            with open(path) as f:
                if text in f.read():
                    return True
        except OSError:
            pass
        time.sleep(0.005)
    return False


def measure(start, find_pid, out, seconds, pair):
    """Starts the program, lets it go with the other one of its pair, times its
    pure wait and reads its steps per second."""
    ended = start()
    deadline = time.monotonic() + 60
    if not wait_line(out, "ready", deadline):
        pair.barrier.abort()
        raise RuntimeError("poll_work did not start")
    pair.barrier.wait(timeout=60)
    if not wait_line(out, "wait_start", deadline):
        raise RuntimeError("poll_work did not start")
    pid = find_pid()
    before, t0 = cpu_ns(pid), time.monotonic()
    if not wait_line(out, "wait_end", deadline):
        raise RuntimeError("poll_work did not end its wait")
    share = (cpu_ns(pid) - before) / 1e9 / (time.monotonic() - t0)
    if not wait_line(out, "work_us 10000", deadline + 6 * seconds):
        raise RuntimeError("poll_work did not finish")
    ended()
    steps = {}
    with open(out) as f:
        for line in f:
            words = line.split()
            if words and words[0] == "work_us":
                steps[int(words[1])] = float(words[3])
    return share, steps


class Pair:
    """The two programs of a round: both are set up before either begins, and
    then work through each phase at the same time."""

    def __init__(self, size):
        self.go = tempfile.mktemp(prefix="poll-work-go-")
        self.barrier = threading.Barrier(size, action=lambda: open(self.go, "w").close())

    def close(self):
        if os.path.exists(self.go):
            os.unlink(self.go)


def native(program, mode, seconds, pair):
    out = tempfile.mktemp(prefix="poll-work-")
    script = tempfile.mktemp(prefix="poll-work-", suffix=".sh")
    with open(script, "w") as f:
        f.write("#!/bin/sh\necho $$ > %s.pid\nTAVREL_POLL_WORK='%s %s %s %s' exec %s\n"
                % (out, mode, seconds, out, pair.go, program))
    os.chmod(script, 0o755)
    session = []

    def start():
        session.append(TmuxSession(script, display=os.environ["DISPLAY"]))
        return lambda: (session[0].exit_status(), session[0].close())

    try:
        return measure(start, lambda: int(open(out + ".pid").read()), out, seconds, pair)
    finally:
        os.unlink(script)


def wine(build, mode, seconds, driver, pair):
    out = tempfile.mktemp(prefix="poll-work-")
    exe = os.path.join(build, "tests", "e2e", "poll_work.exe")
    env = dict(os.environ, TAVREL_POLL_WORK="%s %s Z:%s Z:%s" % (mode, seconds, out, pair.go))
    if driver:
        env["KVGFX"] = driver
    procs = []

    def start():
        if mode == "window":
            procs.append(subprocess.Popen(["wine", exe], env=env, stdin=subprocess.DEVNULL,
                                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        else:
            # A console of its own: game_driver starts the program in a headless one.
            procs.append(subprocess.Popen(
                ["wine", os.path.join(build, "tests", "e2e", "game_driver.exe"), "--tavrel=" + exe],
                env=env, stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                text=True))
            procs[0].stdin.write("1 start\n")
            procs[0].stdin.flush()

        def ended():
            if mode != "window":
                procs[0].stdin.write("2 exit 60000\n3 quit\n")
                procs[0].stdin.close()
            procs[0].wait(timeout=60)
        return ended

    ending = "/%s/tests/e2e/poll_work.exe" % os.path.basename(build)
    return measure(start, lambda: wine_pid(ending), out, seconds, pair)


def main(root, seconds):
    settings = [
        ("native, terminal", lambda b, p: native(os.path.join(root, "build", b, "poll_work"), "console", seconds, p),
         ("linux", "linux-unpaced")),
        ("native, X11 window", lambda b, p: native(os.path.join(root, "build", b, "poll_work"), "window", seconds, p),
         ("linux", "linux-unpaced")),
        ("Wine, console", lambda b, p: wine(os.path.join(root, "build", b), "console", seconds, None, p),
         ("windows", "windows-unpaced")),
        ("Wine, DirectX window", lambda b, p: wine(os.path.join(root, "build", b), "window", seconds, "DirectX", p),
         ("windows", "windows-unpaced")),
        ("Wine, GDI window", lambda b, p: wine(os.path.join(root, "build", b), "window", seconds, "GDI", p),
         ("windows", "windows-unpaced")),
    ]
    # TAVREL_BENCH_ONLY: run only the settings whose name contains it;
    # TAVREL_BENCH_BASELINE: the build folder suffix that replaces "-unpaced"
    # (an A/A run compares the paced build with a copy of itself, "-aa").
    only = os.environ.get("TAVREL_BENCH_ONLY", "")
    baseline = os.environ.get("TAVREL_BENCH_BASELINE", "-unpaced")
    settings = [(n, r, (b[0], b[0] + baseline)) for n, r, b in settings if only in n]
    works = (10, 100, 1000, 10000)
    print("| setting | pure wait CPU, paced / unpaced | " +
          " | ".join("%d us: paced / unpaced steps/s (ratio)" % w for w in works) + " |")
    print("|---|---:|" + "---:|" * len(works))
    for name, run, builds in settings:
        # In each round the two builds run at the same time, so that both see
        # the same machine; each figure is the median of its rounds.
        shares, steps = {b: [] for b in builds}, {b: [] for b in builds}
        for _ in range(ROUNDS):
            results = {}
            pair = Pair(len(builds))
            threads = [threading.Thread(target=lambda b=b: results.__setitem__(b, run(b, pair))) for b in builds]
            for t in threads:
                t.start()
            for t in threads:
                t.join()
            pair.close()
            for b in builds:
                if b not in results:
                    raise RuntimeError("the %s build's run failed" % b)
                shares[b].append(results[b][0])
                steps[b].append(results[b][1])
        paced, unpaced = builds
        med = {b: {w: statistics.median(s[w] for s in steps[b]) for w in works} for b in builds}
        cells = ["%.0f / %.0f (%.3f)" % (med[paced][w], med[unpaced][w], med[paced][w] / med[unpaced][w])
                 for w in works]
        print("| %s | %.2f%% / %.1f%% | %s |" % (name, statistics.median(shares[paced]) * 100,
                                                statistics.median(shares[unpaced]) * 100,
                                                " | ".join(cells)), flush=True)
        print("  pure wait CPU per round, paced: %s" % ", ".join("%.2f%%" % (x * 100) for x in shares[paced]),
              flush=True)

if __name__ == "__main__":
    main(os.path.abspath(sys.argv[1]), float(sys.argv[2]))
