"""The window phase of the native tavrel on an X display: the board's window,
its pixels, the close box, Alt+Enter and the end of the game, driven through
XTest and read back with XGetImage by the end-to-end tools.

Usage: window_phase_test.py PATH_TO_TAVREL TOOLS_DIR   (under an X display)
"""
import os
import subprocess
import sys
import unittest

from tmux_session import TmuxSession

PROGRAM = None
TOOLS = None
WHITE = "FFFFFF"
GRID_CORNER = (20, 20)  # the board's top-left corner inside the window
MESSAGE_PIXEL = (0, 6)  # on the "H" of "Hodite !"


def tool(name, *args, check=True):
    return subprocess.run([os.path.join(TOOLS, name), *map(str, args)], check=check,
                          capture_output=True, text=True)


def window_origin():
    out = subprocess.run(["xwininfo", "-name", "tavrel"], capture_output=True, text=True).stdout
    values = {}
    for line in out.splitlines():
        if "Absolute upper-left" in line:
            key, value = line.split(":")
            values[key.strip()[-1]] = int(value)
    return (values["X"], values["Y"]) if len(values) == 2 else None


class WindowPhase(unittest.TestCase):
    def setUp(self):
        self.s = TmuxSession(PROGRAM, display=os.environ["DISPLAY"])
        self.addCleanup(self.s.close)
        self.s.wait_for(lambda: self.s.rows_text()[0] == "1. game", "the menu")
        self.s.keys("1")
        self.s.wait_for(lambda: window_origin() is not None, "the window")

    def expect_pixel(self, x, y, colour):
        result = tool("x11_wait_pixel", x, y, colour, 5000, check=False)
        self.assertEqual(result.returncode, 0, "pixel %d,%d never became %s" % (x, y, colour))

    def expect_board_at(self, origin, factor=1):
        ox, oy = origin
        self.expect_pixel(ox + GRID_CORNER[0] * factor, oy + GRID_CORNER[1] * factor, WHITE)
        self.expect_pixel(ox + MESSAGE_PIXEL[0] * factor, oy + MESSAGE_PIXEL[1] * factor, WHITE)

    def test_board_window_shows_the_grid_and_the_message(self):
        origin = window_origin()
        self.expect_board_at(origin)
        size = subprocess.run(["xwininfo", "-name", "tavrel"], capture_output=True, text=True).stdout
        self.assertIn("Width: 640", size)
        self.assertIn("Height: 480", size)

    def test_close_box_is_a_key_and_the_window_stays(self):
        origin = window_origin()
        self.expect_board_at(origin)
        tool("x11_close", "--name", "tavrel")
        tool("x11_keys", "x")  # a key after the close request: the program still reads keys
        self.expect_board_at(origin)
        self.assertEqual(window_origin(), origin)
        tool("x11_keys", "Escape")
        self.assertEqual(self.s.exit_status(), 0)
        self.assertEqual(self.s.settings("before"), self.s.settings("after"))

    def test_alt_enter_fills_the_screen_scaled_and_comes_back(self):
        origin = window_origin()
        self.expect_board_at(origin)
        tool("x11_keys", "alt+Return")
        # 1280 x 1024 holds the 640 x 480 picture twice, 32 rows of black above.
        self.s.wait_for(lambda: window_origin() == (0, 0), "the window covering the screen")
        self.expect_board_at((0, 32), factor=2)
        self.expect_pixel(0, 0, "000000")
        tool("x11_keys", "alt+Return")
        self.s.wait_for(lambda: window_origin() == origin, "the window back in its place")
        self.expect_board_at(origin)


class WindowSoak(unittest.TestCase):
    """1,000 random keys with Alt+Enter and close requests among them; no Enter,
    so the game stays open to the end whether or not someone has won. Under the tsan preset the program
    ends with status 66 on any report, so status 0 also means no data race."""

    def test_random_keys_fullscreen_and_close_requests(self):
        import random
        rng = random.Random(int(os.environ.get("TAVREL_SOAK_SEED", "10")))
        s = TmuxSession(PROGRAM, display=os.environ["DISPLAY"])
        self.addCleanup(s.close)
        s.wait_for(lambda: s.rows_text()[0] == "1. game", "the menu")
        s.keys("1")
        s.wait_for(lambda: window_origin() is not None, "the window")
        keys = ["Left", "Down", "Right", "Up", "Home", "Next", "a", "q", "5", "space", "F1"]
        for batch in range(50):
            chosen = [rng.choice(keys) for _ in range(20)]
            if batch % 10 == 3:
                chosen.append("alt+Return")
            tool("x11_keys", "-d", "1", *chosen, check=False)
            if batch % 7 == 5:
                tool("x11_close", "--name", "tavrel", check=False)
        self.assertFalse(os.path.exists(os.path.join(s.dir, "status")), "ended early")
        tool("x11_keys", "Escape", "Return", check=False)  # Escape ends a turn, Enter a won game
        self.assertEqual(s.exit_status(), 0, "\n".join(s.rows_text()))
        self.assertEqual(s.settings("before"), s.settings("after"))


class NoDisplay(unittest.TestCase):
    def test_says_so_and_ends_with_a_failure_status(self):
        s = TmuxSession(PROGRAM, display=None)
        self.addCleanup(s.close)
        s.wait_for(lambda: s.rows_text()[0] == "1. game", "the menu")
        s.keys("1")
        self.assertEqual(s.exit_status(), 1)
        self.assertTrue(any("no X display" in row for row in s.rows_text()), s.rows_text())
        self.assertEqual(s.settings("before"), s.settings("after"))


if __name__ == "__main__":
    PROGRAM = os.path.abspath(sys.argv.pop(1))
    TOOLS = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
