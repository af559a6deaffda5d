// The text phase as a player sees it: the menu, the options question and the
// about screen, cell by cell and colour by colour, on a console of 80 x 26.
#include <gtest/gtest.h>

#include <string>

#include "console_session_win32.h"
#include "e2e_main_win32.h"

namespace e2e {
namespace {

constexpr DWORD kTimeoutMs = 10000;
constexpr WORD kDarkGreyOnBlack = 0x08;
const wchar_t* const kMenu[] = {L"1. game", L"2. options", L"3. about", L"4. exit"};
constexpr wchar_t kQuestion[] = L"Kto xpdit perBbI ? (1-COMP, 2- USER)";

const char* const kAboutCp866[] = {
    "\x88\xA3\xE0\xA0 Tavrel",
    "\x82\xEB \xAC\xAE\xA6\xA5\xE2\xA5 \xE5\xAE\xA4\xA8\xE2\xEC \xA2\xAB\xA5\xA2\xAE, "
    "\xA2\xAD\xA8\xA7 \xA8\xAB\xA8 \xAF\xAE \xA4\xA8\xA0\xA3\xAE\xAD\xA0\xAB\xA8 \xA2\xAD\xA8\xA7",
    "\xAF\xAE\xA1\xA5\xA6\xA4\xA0\xA5\xE2 \xE2\xAE\xE2, \xAA\xE2\xAE \xAF\xAE\xE1\xE2\xA0\xA2"
    "\xA8\xE2 \xAA\xAE\xE0\xAE\xAB\xEF \xA2 \xAD\xA8\xA6\xAD\xA5\xA5 \xAB\xA5\xA2\xAE\xA5 "
    "\xAF\xAE\xAB\xA5",
    "",  // a single blank, trimmed
    "\x80\xA2\xE2\xAE\xE0: Dornak",
    "\xAA\xAE\xAC\xAF\xA8\xAB\xEF\xE2\xAE\xE0 ZUZ - Version 0.14 for win32",
    "\xAD\xA0\xA6\xA8\xAC\xE2\xA5 \xAB\xEE\xA1\xE3\xEE \xAA\xAB\xA0\xA2\xA8\xE8\xE3...",
};

int Length(const wchar_t* text) { return static_cast<int>(std::wstring(text).size()); }

// The four items in dark grey on the four rows from first_row, nothing after
// them on those rows.
::testing::AssertionResult MenuAt(const Screen& s, int first_row) {
  for (int i = 0; i < 4; ++i) {
    const int row = first_row + i;
    if (row >= s.height || s.RowTrimmed(row) != kMenu[i]) {
      return ::testing::AssertionFailure() << "no item " << i + 1 << " on row " << row << "\n"
                                           << s.Dump();
    }
    if (!s.RowHasAttribute(row, Length(kMenu[i]), kDarkGreyOnBlack)) {
      return ::testing::AssertionFailure() << "item on row " << row << " not dark grey\n"
                                           << s.Dump();
    }
  }
  return ::testing::AssertionSuccess();
}

// A freshly cleared menu: the items on rows 0 to 3, blank below, cursor on row 4.
bool IsFreshMenu(const Screen& s) {
  return MenuAt(s, 0) && s.LastUsedRow() == 3 && s.cursor.Y == 4 && s.cursor.X == 0;
}

// The screens print line by line: a state is complete only once the cursor has
// moved to the row after its last line.
bool CursorOnRow(const Screen& s, int row) { return s.cursor.Y == row && s.cursor.X == 0; }

// copies of the menu printed one below the other from row 0.
bool MenusPrinted(const Screen& s, int copies) {
  return s.CountRowsStartingWith(kMenu[3]) == copies && CursorOnRow(s, 4 * copies);
}

bool QuestionsPrinted(const Screen& s, int count) {
  const std::vector<int> rows = s.RowsStartingWith(kQuestion);
  return static_cast<int>(rows.size()) == count && CursorOnRow(s, rows.back() + 1);
}

// The about screen's last line is printed and the cursor is below it.
bool AboutPrinted(const Screen& s) {
  const std::vector<int> rows = s.RowsStartingWith(L"\x043D\x0430\x0436");  // "наж"
  return rows.size() == 1 && CursorOnRow(s, rows.front() + 1);
}

class TextPhase : public ::testing::Test {
 protected:
  void StartGame(StandardInput input = StandardInput::kConsole) {
    ASSERT_TRUE(session.Start(TavrelExe(), input)) << "cannot start tavrel.exe";
    ExpectFreshMenu();
  }
  void ExpectFreshMenu() {
    Screen s;
    ASSERT_TRUE(session.WaitFor(IsFreshMenu, kTimeoutMs, &s)) << "no fresh menu\n" << s.Dump();
  }
  // Presses "2" on a fresh menu and waits for the question on row 4.
  void OpenOptions() {
    ASSERT_TRUE(session.SendChar(L'2'));
    Screen s;
    ASSERT_TRUE(session.WaitFor([](const Screen& t) { return QuestionsPrinted(t, 1); },
                                kTimeoutMs, &s))
        << s.Dump();
    EXPECT_EQ(s.RowsStartingWith(kQuestion).front(), 4) << s.Dump();
  }
  // Types an answer the question must not accept; the question comes again on
  // the row after the echoed answer.
  void AnswerRejected(const std::string& answer, int questions_before) {
    ASSERT_TRUE(session.TypeLine(answer));
    Screen s;
    const int questions = questions_before + 1;
    ASSERT_TRUE(session.WaitFor([questions](const Screen& t) { return QuestionsPrinted(t, questions); },
                                kTimeoutMs, &s))
        << "answer '" << answer << "' was not asked again\n" << s.Dump();
    const std::vector<int> rows = s.RowsStartingWith(kQuestion);
    const int echo_row = rows[questions_before - 1] + 1;
    EXPECT_EQ(s.RowTrimmed(echo_row), std::wstring(answer.begin(), answer.end())) << s.Dump();
    EXPECT_EQ(rows[questions_before], echo_row + 1) << s.Dump();
    EXPECT_TRUE(s.RowHasAttribute(rows[questions_before], Length(kQuestion), kDarkGreyOnBlack))
        << s.Dump();
  }
  void WaitForMenus(int copies, Screen* s) {
    ASSERT_TRUE(session.WaitFor([copies](const Screen& t) { return MenusPrinted(t, copies); },
                                kTimeoutMs, s))
        << copies << " menus expected\n" << s->Dump();
  }
  void WaitForAbout(Screen* s) {
    ASSERT_TRUE(session.WaitFor(AboutPrinted, kTimeoutMs, s)) << "no about screen\n" << s->Dump();
  }
  void ExpectExitStatusZero() {
    DWORD status = 1;
    ASSERT_TRUE(session.WaitForExit(kTimeoutMs, &status)) << "the game did not end";
    EXPECT_EQ(status, 0u);
  }

  ConsoleSession session;
};

using ConsoleMenu = TextPhase;
using ConsoleOptions = TextPhase;
using ConsoleAbout = TextPhase;

TEST_F(ConsoleMenu, ShowsFourDarkGreyItemsFromTheFirstRow) {
  StartGame();
  const Screen s = session.Snapshot();
  EXPECT_TRUE(MenuAt(s, 0));
  EXPECT_EQ(s.LastUsedRow(), 3) << s.Dump();
}

TEST_F(ConsoleMenu, KeysThatAreNoItemRepeatTheMenuBelow) {
  StartGame();
  Screen s;
  ASSERT_TRUE(session.SendChar(L'x'));
  WaitForMenus(2, &s);
  ASSERT_TRUE(session.SendChar(L'\r'));
  WaitForMenus(3, &s);
  ASSERT_TRUE(session.SendArrow(VK_UP));
  WaitForMenus(4, &s);
  ASSERT_TRUE(session.SendChar(L'5'));
  WaitForMenus(5, &s);
  for (int copy = 0; copy < 5; ++copy) EXPECT_TRUE(MenuAt(s, 4 * copy)) << "copy " << copy;
  EXPECT_EQ(s.LastUsedRow(), 19);
  EXPECT_TRUE(session.IsRunning());
}

TEST_F(ConsoleMenu, EnoughWrongKeysScrollTheConsole) {
  StartGame();
  // Six menus fill rows 0 to 23; the seventh needs 28 rows of the 26 and pushes
  // the first three rows out of the buffer.
  Screen s;
  for (int copies = 2; copies <= 6; ++copies) {
    ASSERT_TRUE(session.SendChar(L'x'));
    WaitForMenus(copies, &s);
  }
  ASSERT_TRUE(session.SendChar(L'x'));
  ASSERT_TRUE(session.WaitFor(
      [](const Screen& t) { return t.RowTrimmed(0) == kMenu[3] && t.RowTrimmed(24) == kMenu[3] &&
                                   CursorOnRow(t, 25); },
      kTimeoutMs, &s))
      << s.Dump();
  EXPECT_TRUE(s.RowHasAttribute(0, Length(kMenu[3]), kDarkGreyOnBlack));
  for (int copy = 0; copy < 6; ++copy) EXPECT_TRUE(MenuAt(s, 1 + 4 * copy)) << "copy " << copy;
  EXPECT_EQ(s.LastUsedRow(), 24);
}

TEST_F(ConsoleMenu, ExitEndsWithStatusZeroAndLeavesTheMenu) {
  StartGame();
  EXPECT_EQ(session.OutputCodePage(), 866u) << "the game's texts need code page 866";
  ASSERT_TRUE(session.SendChar(L'4'));
  ExpectExitStatusZero();
  const Screen s = session.Snapshot();
  EXPECT_TRUE(MenuAt(s, 0));
  EXPECT_EQ(s.LastUsedRow(), 3) << s.Dump();
  EXPECT_EQ(session.OutputCodePage(), 437u) << "the console's own code page was not restored";
}

TEST_F(ConsoleOptions, RepeatTheQuestionUntilOneOrTwo) {
  StartGame();
  OpenOptions();
  AnswerRejected("0", 1);
  AnswerRejected("3", 2);
  AnswerRejected("abc", 3);
  AnswerRejected("", 4);
  ASSERT_TRUE(session.TypeLine("2"));
  ExpectFreshMenu();
}

TEST_F(ConsoleOptions, AcceptOneAndStopAskingForTheRestOfTheRun) {
  StartGame();
  OpenOptions();
  ASSERT_TRUE(session.TypeLine("1"));
  ExpectFreshMenu();
  // The choice is settled: "2" returns at once, so "3" goes to the menu and
  // shows the about screen right below it, with no question in between.
  ASSERT_TRUE(session.SendChar(L'2'));
  ASSERT_TRUE(session.SendChar(L'3'));
  Screen s;
  WaitForAbout(&s);
  EXPECT_TRUE(MenuAt(s, 0));
  EXPECT_EQ(s.RowCp866(4), kAboutCp866[0]) << s.Dump();
  EXPECT_FALSE(s.Contains(kQuestion)) << s.Dump();
}

TEST_F(ConsoleOptions, TakeTheLeadingNumberOfTheAnswer) {
  const char* const answers[] = {"  2abc", "1.9"};
  for (const char* answer : answers) {
    SCOPED_TRACE(answer);
    StartGame();
    OpenOptions();
    ASSERT_TRUE(session.TypeLine(answer));
    ExpectFreshMenu();
    ASSERT_TRUE(session.SendChar(L'4'));
    ExpectExitStatusZero();
  }
}

TEST_F(ConsoleOptions, EndOfInputAtTheQuestionReturnsToTheMenu) {
  StartGame();
  OpenOptions();
  ASSERT_TRUE(session.TypeLine("\x1A"));  // Ctrl+Z, then Enter
  ExpectFreshMenu();
  // The menu is live again and nothing keeps printing the question.
  ASSERT_TRUE(session.SendChar(L'3'));
  Screen s;
  WaitForAbout(&s);
  EXPECT_TRUE(MenuAt(s, 0));
  EXPECT_EQ(s.RowCp866(4), kAboutCp866[0]) << s.Dump();
  EXPECT_EQ(s.LastUsedRow(), 10) << s.Dump();
  ASSERT_TRUE(session.SendChar(L'x'));
  ExpectFreshMenu();
  ASSERT_TRUE(session.SendChar(L'4'));
  ExpectExitStatusZero();
}

TEST_F(ConsoleOptions, AfterEndOfInputALaterVisitAsksAndWaitsAgain) {
  StartGame();
  OpenOptions();
  ASSERT_TRUE(session.TypeLine("\x1A"));  // Ctrl+Z, then Enter
  ExpectFreshMenu();
  OpenOptions();
  ASSERT_TRUE(session.TypeLine("1"));
  ExpectFreshMenu();
  // Settled now: "2" returns at once and "3" shows the about screen below the menu.
  ASSERT_TRUE(session.SendChar(L'2'));
  ASSERT_TRUE(session.SendChar(L'3'));
  Screen s;
  WaitForAbout(&s);
  EXPECT_EQ(s.RowCp866(4), kAboutCp866[0]) << s.Dump();
  ASSERT_TRUE(session.SendChar(L'x'));
  ExpectFreshMenu();
  ASSERT_TRUE(session.SendChar(L'4'));
  ExpectExitStatusZero();
}

TEST_F(ConsoleOptions, ClosedInputMakesTheQuestionGiveUpInsteadOfRepeating) {
  StartGame(StandardInput::kClosedPipe);
  ASSERT_TRUE(session.SendChar(L'2'));
  ASSERT_TRUE(session.SendChar(L'3'));
  Screen s;
  WaitForAbout(&s);
  EXPECT_TRUE(MenuAt(s, 0));
  EXPECT_EQ(s.RowCp866(4), kAboutCp866[0]) << s.Dump();
  EXPECT_EQ(s.LastUsedRow(), 10) << s.Dump();
  ASSERT_TRUE(session.SendChar(L'x'));
  ExpectFreshMenu();
  ASSERT_TRUE(session.SendChar(L'4'));
  ExpectExitStatusZero();
}

TEST_F(ConsoleAbout, ShowsTheRussianRulesInDarkGrey) {
  StartGame();
  ASSERT_TRUE(session.SendChar(L'3'));
  Screen s;
  WaitForAbout(&s);
  EXPECT_TRUE(MenuAt(s, 0));
  for (int i = 0; i < 7; ++i) {
    const int row = 4 + i;
    EXPECT_EQ(s.RowCp866(row), kAboutCp866[i]) << "row " << row << "\n" << s.Dump();
    const int length = static_cast<int>(std::string(kAboutCp866[i]).size());
    EXPECT_TRUE(s.RowHasAttribute(row, length > 0 ? length : 1, kDarkGreyOnBlack)) << row;
  }
  EXPECT_EQ(s.At(4, 0).Char.UnicodeChar, L'\x0418') << "the first letter is not Cyrillic I";
  EXPECT_EQ(s.LastUsedRow(), 10);
}

TEST_F(ConsoleAbout, AnyKeyLeavesTheAboutScreen) {
  StartGame();
  enum class Key { kLetter, kUpArrow, kEscape, kEnter };
  for (Key key : {Key::kLetter, Key::kUpArrow, Key::kEscape, Key::kEnter}) {
    SCOPED_TRACE(static_cast<int>(key));
    ASSERT_TRUE(session.SendChar(L'3'));
    Screen s;
    WaitForAbout(&s);
    switch (key) {
      case Key::kLetter: ASSERT_TRUE(session.SendChar(L'q')); break;
      case Key::kUpArrow: ASSERT_TRUE(session.SendArrow(VK_UP)); break;
      case Key::kEscape: ASSERT_TRUE(session.SendEscape()); break;
      case Key::kEnter: ASSERT_TRUE(session.SendChar(L'\r')); break;
    }
    ExpectFreshMenu();
  }
  // The arrow's second code must not have been left behind as a menu key.
  ASSERT_TRUE(session.SendChar(L'4'));
  ExpectExitStatusZero();
  EXPECT_TRUE(IsFreshMenu(session.Snapshot()));
}

}  // namespace
}  // namespace e2e
