"""The text phase of the native tavrel in a terminal, as a player sees it: the
menu, the options question and the about screen, cell by cell and colour by
colour, and the terminal's settings as they were after every way out.

Usage: text_phase_test.py PATH_TO_TAVREL
"""
import os
import signal
import sys
import time
import unittest

from tmux_session import TmuxSession, sgr_before

PROGRAM = None
MENU = ["1. game", "2. options", "3. about", "4. exit"]
QUESTION = "Kto xpdit perBbI ? (1-COMP, 2- USER)"
ABOUT = [
    "Игра Tavrel",
    "Вы можете ходить влево, вниз или по диагонали вниз",
    "побеждает тот, кто поставит короля в нижнее левое поле",
    "",
    "Автор: Dornak",
    "компилятор ZUZ - Version 0.14 for win32",
    "нажимте любую клавишу...",
]


class TextPhase(unittest.TestCase):
    def setUp(self):
        self.s = TmuxSession(PROGRAM)
        self.addCleanup(self.s.close)
        self.expect_fresh_menu()

    def menus_from_top(self, count):
        rows = self.s.rows_text()
        want = MENU * count
        return rows[: len(want)] == want and not any(rows[len(want):]) and \
            self.s.cursor() == (0, len(want))

    def expect_fresh_menu(self):
        self.s.wait_for(lambda: self.menus_from_top(1), "a fresh menu")

    def expect_exit_zero_and_settings_kept(self):
        self.assertEqual(self.s.exit_status(), 0)
        self.assertEqual(self.s.settings("before"), self.s.settings("after"))

    def ask(self):
        self.s.keys("2")
        self.s.wait_for(lambda: self.s.rows_text()[4] == QUESTION and self.s.cursor() == (0, 5),
                        "the question")

    def test_menu_items_are_dark_grey_from_the_first_row(self):
        rows = self.s.coloured_rows()
        for row, item in enumerate(MENU):
            self.assertEqual(sgr_before(rows, row, item), (90, 40), repr(rows[row]))

    def test_keys_that_are_no_item_repeat_the_menu_once_each(self):
        for key in ("x", "Up", "F1", "Escape"):
            self.s.keys(key)
        self.s.wait_for(lambda: self.menus_from_top(5), "five menus")
        self.s.keys("4")
        self.expect_exit_zero_and_settings_kept()

    def test_enough_wrong_keys_scroll_the_terminal(self):
        for _ in range(6):
            self.s.keys("z")
        # Seven menus and the cursor's row need 29 rows of the 26: the first
        # three rows go out at the top.
        self.s.wait_for(lambda: self.s.rows_text() == [MENU[3]] + MENU * 6 + [""] and
                        self.s.cursor() == (0, 25), "the scrolled menus")

    def test_exit_ends_with_status_zero(self):
        self.s.keys("4")
        self.expect_exit_zero_and_settings_kept()

    def test_question_repeats_until_one_or_two_and_backspace_edits(self):
        self.ask()
        self.s.literal("9")
        self.s.keys("Enter")
        self.s.wait_for(lambda: self.s.rows_text()[5:7] == ["9", QUESTION], "the question again")
        self.s.literal("5")
        self.s.keys("BSpace")
        self.s.literal("1")
        self.s.keys("Enter")
        self.expect_fresh_menu()
        # Settled: "2" returns at once and "3" shows the about screen below the menu.
        self.s.keys("2")
        self.expect_fresh_menu()
        self.s.keys("3")
        self.s.wait_for(lambda: self.s.rows_text()[4:11] == ABOUT, "the about text")

    def test_end_of_input_at_the_question_returns_to_the_menu(self):
        self.ask()
        self.s.keys("C-d")
        self.expect_fresh_menu()
        self.ask()  # not settled: asked again, and it waits
        self.s.literal("2")
        self.s.keys("Enter")
        self.expect_fresh_menu()
        self.s.keys("4")
        self.expect_exit_zero_and_settings_kept()

    def test_about_shows_the_russian_text_and_any_key_leaves(self):
        self.s.keys("3")
        self.s.wait_for(lambda: self.s.rows_text()[4:11] == ABOUT and self.s.cursor() == (0, 11),
                        "the about text")
        self.assertEqual(sgr_before(self.s.coloured_rows(), 4, "Игра"), (90, 40))
        self.s.keys("Down")
        self.expect_fresh_menu()
        # The arrow's second code was not left behind as a menu key.
        self.s.keys("4")
        self.expect_exit_zero_and_settings_kept()

    def test_signals_restore_the_terminal(self):
        for how in ("C-c", signal.SIGTERM, signal.SIGHUP):
            with self.subTest(how=str(how)):
                if how != "C-c":
                    self.s = TmuxSession(PROGRAM)
                    self.addCleanup(self.s.close)
                    self.expect_fresh_menu()
                    os.kill(self.s.program_pid(), how)
                else:
                    self.s.keys("C-c")
                sig = signal.SIGINT if how == "C-c" else how
                self.assertEqual(self.s.exit_status(), 128 + sig)
                self.assertEqual(self.s.settings("before"), self.s.settings("after"))

    def test_a_terminal_that_goes_away_ends_the_program(self):
        # The pane's shell ignores the hang-up, so only the program's own read
        # can tell that no key will ever come; it must end, not spin.
        pid = self.s.program_pid()
        self.assertIsNotNone(pid)
        self.s.close()
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline and os.path.exists("/proc/%d" % pid):
            with open("/proc/%d/stat" % pid) as f:
                if f.read().split(") ")[1].startswith("Z"):
                    break
            time.sleep(0.05)
        alive = os.path.exists("/proc/%d" % pid) and \
            not open("/proc/%d/stat" % pid).read().split(") ")[1].startswith("Z")
        if alive:
            os.kill(pid, signal.SIGKILL)
        self.assertFalse(alive, "the program still runs with its terminal gone")


if __name__ == "__main__":
    PROGRAM = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
