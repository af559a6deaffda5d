"""The native tavrel without a usable X display: choosing the game says why in
one line under the menu and ends with a failure status, the terminal restored.
The library itself neither prints nor ends the program: the game reads the
reason after its mode switch failed. (The window phase itself is checked by
the window end-to-end suite, tests/e2e/window.)

Usage: no_display_test.py PATH_TO_TAVREL
"""
import os
import sys
import unittest

from tmux_session import TmuxSession

PROGRAM = None
PREFIX = "tavrel: cannot open the game window: "


class NoDisplay(unittest.TestCase):
    def test_says_why_in_one_line_and_ends_with_a_failure_status(self):
        # No DISPLAY at all, and a display with no server behind it.
        for display, reason in ((None, "no X display (is DISPLAY set?)"),
                                (":999", "the X display refused the connection")):
            with self.subTest(display=display):
                s = TmuxSession(PROGRAM, display=display)
                self.addCleanup(s.close)
                s.wait_for(lambda: s.rows_text()[0] == "1. game", "the menu")
                s.keys("1")
                self.assertEqual(s.exit_status(), 1)
                rows = s.rows_text()
                self.assertEqual(rows[:5], ["1. game", "2. options", "3. about", "4. exit",
                                            PREFIX + reason], rows)
                self.assertEqual(rows[5:], [""] * (len(rows) - 5), rows)
                self.assertEqual(s.settings("before"), s.settings("after"))


if __name__ == "__main__":
    PROGRAM = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
