"""The native tavrel in a tmux pane of its own: keys in, cells and colours out.

Each session has its own tmux server (a socket of its own), so sessions never
see each other or a user's tmux. The program runs under a small shell that
records the terminal's settings before and after it and its exit status.
"""
import os
import re
import signal
import subprocess
import tempfile
import time

WAIT_SECONDS = 10


class TmuxSession:
    def __init__(self, program, columns=80, rows=26, display=None):
        self.dir = tempfile.mkdtemp(prefix="tavrel-tmux-")
        self.socket = os.path.join(self.dir, "socket")
        self.rows = rows
        env = 'unset DISPLAY; ' if display is None else 'export DISPLAY="%s"; ' % display
        shell = (env + "trap ':' INT TERM HUP; "
                 'stty -g > "$1/before"; "$2"; echo $? > "$1/status.tmp"; '
                 'stty -g > "$1/after"; mv "$1/status.tmp" "$1/status"; exec sleep 600')
        self.tmux("new-session", "-d", "-x", str(columns), "-y", str(rows), "-s", "t",
                  "sh", "-c", shell, "sh", self.dir, program)
        self.tmux("set-option", "-t", "t", "remain-on-exit", "on")

    def tmux(self, *args):
        return subprocess.run(["tmux", "-S", self.socket, *args], check=True,
                              capture_output=True, text=True).stdout

    def close(self):
        # The pane's shell ignores the hang-up that killing the server sends, so
        # a game still at its board would stay, reading no terminal, with its
        # window on the display: a later test would then find two windows named
        # "tavrel" and drive the old one.
        try:
            pid = self.program_pid()
        except subprocess.CalledProcessError:
            pid = None
        if pid is not None:
            end_process(pid)
        subprocess.run(["tmux", "-S", self.socket, "kill-server"], capture_output=True)

    def keys(self, *names):
        self.tmux("send-keys", "-t", "t", *names)

    def literal(self, text):
        self.tmux("send-keys", "-t", "t", "-l", text)

    def rows_text(self):
        lines = self.tmux("capture-pane", "-p", "-t", "t").split("\n")
        lines = [line.rstrip() for line in lines[: self.rows]]
        return lines + [""] * (self.rows - len(lines))

    def coloured_rows(self):
        return self.tmux("capture-pane", "-p", "-e", "-t", "t").split("\n")[: self.rows]

    def cursor(self):
        x, y = self.tmux("display-message", "-p", "-t", "t", "#{cursor_x} #{cursor_y}").split()
        return int(x), int(y)

    def program_pid(self):
        shell = self.tmux("display-message", "-p", "-t", "t", "#{pane_pid}").strip()
        out = subprocess.run(["ps", "-o", "pid=,comm=", "--ppid", shell], capture_output=True,
                             text=True).stdout
        for line in out.splitlines():
            pid, name = line.split(None, 1)
            if name.strip() == "tavrel":
                return int(pid)
        return None

    def wait_for(self, predicate, what):
        deadline = time.monotonic() + WAIT_SECONDS
        while time.monotonic() < deadline:
            if predicate():
                return
            time.sleep(0.02)
        raise AssertionError("timed out waiting for " + what + "; screen:\n" +
                             "\n".join(self.rows_text()))

    def exit_status(self):
        path = os.path.join(self.dir, "status")
        self.wait_for(lambda: os.path.exists(path), "the program's end")
        with open(path) as f:
            return int(f.read())

    def settings(self, which):
        with open(os.path.join(self.dir, which)) as f:
            return f.read()


def end_process(pid):
    """SIGTERM (the game restores the terminal on it), SIGKILL after 5 s."""
    for sig, seconds in ((signal.SIGTERM, 5), (signal.SIGKILL, 5)):
        try:
            os.kill(pid, sig)
        except ProcessLookupError:
            return
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if not os.path.exists("/proc/%d" % pid) or _zombie(pid):
                return
            time.sleep(0.02)


def _zombie(pid):
    try:
        with open("/proc/%d/stat" % pid) as f:
            return f.read().rsplit(")", 1)[1].split()[0] == "Z"
    except OSError:
        return True


def sgr_before(coloured_rows, row, text):
    """The (foreground, background) SGR codes in force where text starts on a
    captured row (None for the terminal's default), or None without text. A
    capture carries its colours over from row to row."""
    at = coloured_rows[row].find(text)
    if at < 0:
        return None
    fg = bg = None
    before = "".join(coloured_rows[:row]) + coloured_rows[row][:at]
    for params in re.findall(r"\x1b\[([0-9;]*)m", before):
        for code in [int(p) if p else 0 for p in params.split(";")]:
            if code == 0:
                fg = bg = None
            elif 30 <= code <= 37 or 90 <= code <= 97:
                fg = code
            elif 40 <= code <= 47 or 100 <= code <= 107:
                bg = code
    return fg, bg
