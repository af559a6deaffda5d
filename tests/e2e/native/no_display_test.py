"""The native tavrel without an X display: choosing the game says so in one
line and ends with a failure status, the terminal restored. (The window phase
itself is checked by the window end-to-end suite, tests/e2e/window.)

Usage: no_display_test.py PATH_TO_TAVREL
"""
import os
import sys
import unittest

from tmux_session import TmuxSession

PROGRAM = None


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
    unittest.main(verbosity=2)
