"""The native tavrel beside the Windows tavrel.exe under Wine (default display,
DirectX), in one run: start to menu (median of 20 starts each, alternating),
key to king pixels p50/p99 and update passes per second, idle CPU at the menu
and at "Hodite !" (all threads, from /proc, over 10 s). Prints the table of
BENCHMARKS.md. Run by bench/native/run.sh, which builds the programs and sets
up the Wine prefix, its server and the X display.

  run.py NATIVE_TAVREL TAVREL_EXE E2E_BUILD SAMPLES
"""
import os
import shlex
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tests", "e2e", "native"))
from tmux_session import TmuxSession  # noqa: E402

TICKS = os.sysconf("SC_CLK_TCK")
IDLE_SECONDS = 10.0
PASS_SECONDS = 5.0
STARTS = int(os.environ.get("TAVREL_BENCH_STARTS", "20"))


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime + stime of every thread


def idle_share(pid):
    before, start = cpu_seconds(pid), time.monotonic()
    time.sleep(IDLE_SECONDS)
    return (cpu_seconds(pid) - before) / (time.monotonic() - start)


def percentile(values, p):
    """As latency_bench takes it: the nearest rank, rounded half up."""
    v = sorted(values)
    return v[min(int(p * (len(v) - 1) + 0.5), len(v) - 1)]


def at_menu(s):
    s.wait_for(lambda: s.rows_text()[3] == "4. exit", "the menu")


def start_to_menu(command):
    """Seconds from starting a fresh tmux server with the command in its pane
    until the pane shows "4. exit"; then "4" ends the program, which must end
    with status 0 (under Wine too: the tty console reads the key)."""
    start = time.monotonic()
    s = TmuxSession(command, display=os.environ["DISPLAY"])
    try:
        at_menu(s)
        took = time.monotonic() - start
        s.keys("4")
        if s.exit_status() != 0:
            raise RuntimeError("%s did not end with status 0 after \"4\"" % command)
        return took
    finally:
        s.close()


def wine_command(exe):
    """A one-line script for the pane: TmuxSession runs its program without
    arguments."""
    fd, path = tempfile.mkstemp(prefix="tavrel-wine-", suffix=".sh")
    with os.fdopen(fd, "w") as f:
        f.write("#!/bin/sh\nexec wine %s\n" % shlex.quote(exe))
    os.chmod(path, 0o755)
    return path


def native_board(program):
    s = TmuxSession(program, display=os.environ["DISPLAY"])
    at_menu(s)
    s.keys("1")
    return s


def native_latency(program, tool, samples):
    """Games, each to its end or until the samples are taken."""
    taken, games = [], 0
    while len(taken) < samples:
        s = native_board(program)
        try:
            out = subprocess.run([tool, str(samples - len(taken))], capture_output=True, text=True)
            if out.returncode != 0:
                raise RuntimeError("native_latency_bench: " + out.stderr.strip())
            taken += [float(line.split()[1]) for line in out.stdout.splitlines()
                      if line.startswith("key_ms ")]
            if s.exit_status() != 0:
                raise RuntimeError("the native game did not end with status 0")
            games += 1
        finally:
            s.close()
    return taken, games


def pass_counter_address(program, pid):
    """Where the X11 driver's own pass counter (x11::g_passes, a 64-bit
    atomic) lies in the running program: its offset in the executable, from
    nm, plus the address the executable is mapped at."""
    out = subprocess.run(["nm", "-C", program], capture_output=True, text=True).stdout
    offsets = [int(line.split()[0], 16) for line in out.splitlines() if line.endswith(" x11::g_passes")]
    if not offsets:
        raise RuntimeError("nm finds no x11::g_passes in %s (stripped?)" % program)
    real = os.path.realpath(program)
    with open("/proc/%d/maps" % pid) as maps:
        for line in maps:
            fields = line.split()
            if len(fields) >= 6 and fields[5] == real and int(fields[2], 16) == 0:
                return int(fields[0].split("-")[0], 16) + offsets[0]
    raise RuntimeError("the program's mapping is not in /proc/%d/maps" % pid)


def pass_count(pid, address):
    with open("/proc/%d/mem" % pid, "rb") as mem:
        mem.seek(address)
        return int.from_bytes(mem.read(8), "little")


def native_passes(program, pid):
    """Update passes per second over a few seconds, read from the driver's own
    counter in the program's memory, so the count does not depend on how the
    update thread waits (it used to be its nanosleep calls, seen by strace)."""
    address = pass_counter_address(program, pid)
    before, start = pass_count(pid, address), time.monotonic()
    time.sleep(PASS_SECONDS)
    return (pass_count(pid, address) - before) / (time.monotonic() - start)


def native_idle_and_passes(program):
    s = TmuxSession(program, display=os.environ["DISPLAY"])
    try:
        at_menu(s)
        pid = s.program_pid()
        menu = idle_share(pid)
        s.keys("1")
        time.sleep(1.5)  # the window open and the board drawn
        board = idle_share(pid)
        passes = native_passes(program, pid)
    finally:
        s.close()
    return menu, board, passes


def run_tool(args):
    out = subprocess.run(args, capture_output=True, text=True)
    if out.returncode != 0:
        raise RuntimeError("%s failed: %s" % (os.path.basename(args[0]), out.stderr.strip()))
    return out.stdout


def field(text, first, name):
    """The number after `name` on the line that begins with `first`."""
    for line in text.splitlines():
        words = line.split()
        if words and words[0] == first and name in words:
            return float(words[words.index(name) + 1])
    raise RuntimeError("no %s %s in:\n%s" % (first, name, text))


def idle_of(text, where):
    """idle_bench's share at one wait ("idle_cpu WHERE  N% of one core ...")."""
    for line in text.splitlines():
        if line.startswith("idle_cpu " + where + " "):
            return float(line[len("idle_cpu " + where):].split("%")[0])
    raise RuntimeError("no idle_cpu %s in:\n%s" % (where, text))


def ms(values):
    return "%.1f ms (%.1f, %.1f)" % (statistics.median(values) * 1000, min(values) * 1000,
                                     max(values) * 1000)


def main(native, exe, e2e, samples):
    wine = wine_command(exe)
    native_starts, wine_starts = [], []
    for _ in range(STARTS):
        native_starts.append(start_to_menu(native))
        wine_starts.append(start_to_menu(wine))
    os.unlink(wine)
    print("start to menu: native %s, Wine %s" % (ms(native_starts), ms(wine_starts)), flush=True)

    keys, games = native_latency(native, os.path.join(e2e, "bench/latency/native_latency_bench"),
                                 samples)
    print("native key to pixels: %d samples in %d games" % (len(keys), games), flush=True)
    wine_keys = run_tool([os.path.join(e2e, "bench/latency/latency_bench"), str(samples)])
    print(wine_keys, flush=True)

    menu, board, passes = native_idle_and_passes(native)
    wine_idle = run_tool([os.path.join(e2e, "bench/idle/idle_bench"), str(int(IDLE_SECONDS))])
    print(wine_idle, flush=True)

    rows = [
        ("Start to menu, median of 20 (min, max)", ms(native_starts), ms(wine_starts)),
        ("Key to king pixels, p50", "%.2f ms" % percentile(keys, 0.5),
         "%.2f ms" % field(wine_keys, "key_to_pixels_ms", "p50")),
        ("Key to king pixels, p99", "%.2f ms" % percentile(keys, 0.99),
         "%.2f ms" % field(wine_keys, "key_to_pixels_ms", "p99")),
        ("Key to king pixels, max", "%.2f ms" % max(keys),
         "%.2f ms" % field(wine_keys, "key_to_pixels_ms", "max")),
        ("Update passes per second at \"Hodite !\" (native: idle; Wine: answering a message a ms)",
         "%.1f" % passes, "%.1f" % field(wine_keys, "passes_per_second", "passes_per_second")),
        ("Idle CPU at the menu, 10 s", "%.1f%%" % (menu * 100),
         "%.1f%%" % idle_of(wine_idle, "menu")),
        ("Idle CPU at \"Hodite !\", 10 s", "%.1f%%" % (board * 100),
         "%.1f%%" % idle_of(wine_idle, '"Hodite !"')),
    ]
    print("\n| What | Native | Wine, DirectX |\n|---|---:|---:|")
    for row in rows:
        print("| %s | %s | %s |" % row)


if __name__ == "__main__":
    main(os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]), os.path.abspath(sys.argv[3]),
         int(sys.argv[4]))
