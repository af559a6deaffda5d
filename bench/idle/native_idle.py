"""The native tavrel's CPU while it waits for the player, as idle_bench
measures the Windows program's: at the menu, at "Hodite !" and at "COMP
(press enter)" (the options set the computer first), over SECONDS each, as a
share of one core (every thread, from /proc/PID/task/*/schedstat). RUNS games
each. Run by bench/idle/run.sh on its X display.

  native_idle.py TAVREL SECONDS RUNS
"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tests", "e2e", "native"))
sys.path.insert(0, os.path.dirname(__file__))
from tmux_session import TmuxSession  # noqa: E402
from poll_work import cpu_ns  # noqa: E402

QUESTION = "Kto xpdit perBbI ? (1-COMP, 2- USER)"


def share(pid, seconds):
    before, start = cpu_ns(pid), time.monotonic()
    time.sleep(seconds)
    return (cpu_ns(pid) - before) / 1e9 / (time.monotonic() - start)


def at_menu(s):
    s.wait_for(lambda: "4. exit" in s.rows_text(), "the menu")


def one_run(program, seconds):
    """Menu and "Hodite !" in one game, "COMP (press enter)" in a second."""
    s = TmuxSession(program, display=os.environ["DISPLAY"])
    try:
        at_menu(s)
        pid = s.program_pid()
        menu = share(pid, seconds)
        s.keys("1")
        time.sleep(1.5)  # the window open and the board drawn
        user = share(pid, seconds)
    finally:
        s.close()
    s = TmuxSession(program, display=os.environ["DISPLAY"])
    try:
        at_menu(s)
        s.keys("2")
        s.wait_for(lambda: QUESTION in s.rows_text(), "the options question")
        s.literal("1")
        s.keys("Enter")
        time.sleep(0.3)
        at_menu(s)
        s.keys("1")
        time.sleep(1.5)
        comp = share(s.program_pid(), seconds)
    finally:
        s.close()
    return menu, user, comp


def main(program, seconds, runs):
    print("| native run | menu | \"Hodite !\" | \"COMP (press enter)\" |\n|---|---:|---:|---:|")
    for run in range(1, runs + 1):
        menu, user, comp = one_run(program, seconds)
        print("| %d | %.2f%% | %.2f%% | %.2f%% |" % (run, menu * 100, user * 100, comp * 100), flush=True)


if __name__ == "__main__":
    main(os.path.abspath(sys.argv[1]), float(sys.argv[2]), int(sys.argv[3]))
