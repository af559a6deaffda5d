"""Native tavrel measurements, one run: start to menu (median of 20 starts in a
tmux pane) and idle CPU at the menu and at "Hodite !" (the board's key wait),
as a share of one core over 5 seconds.

Usage (under an X display, after the linux preset's build):
  scripts/with-display.sh python3 bench/native/run.py build/linux/tavrel
"""
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tests", "e2e", "native"))
from tmux_session import TmuxSession  # noqa: E402

TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime + stime


def idle_share(pid, seconds=5.0):
    before, start = cpu_seconds(pid), time.monotonic()
    time.sleep(seconds)
    return (cpu_seconds(pid) - before) / (time.monotonic() - start)


def start_to_menu(program):
    start = time.monotonic()
    s = TmuxSession(program, display=os.environ.get("DISPLAY"))
    try:
        s.wait_for(lambda: s.rows_text()[3] == "4. exit", "the menu")
        return time.monotonic() - start
    finally:
        s.close()


def main(program):
    starts = sorted(start_to_menu(program) for _ in range(20))
    print("start to menu: median %.1f ms, min %.1f ms, max %.1f ms (20 starts, tmux pane)"
          % (statistics.median(starts) * 1000, starts[0] * 1000, starts[-1] * 1000))
    s = TmuxSession(program, display=os.environ.get("DISPLAY"))
    try:
        s.wait_for(lambda: s.rows_text()[3] == "4. exit", "the menu")
        pid = s.program_pid()
        print("idle CPU at the menu: %.1f%% of a core" % (idle_share(pid) * 100))
        s.keys("1")
        time.sleep(1.0)
        print("idle CPU at \"Hodite !\": %.1f%% of a core" % (idle_share(pid) * 100))
    finally:
        s.close()


if __name__ == "__main__":
    main(os.path.abspath(sys.argv[1]))
