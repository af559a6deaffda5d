// The terminal's screen copy: the console calls' effects on cells and cursor,
// the bytes sent for them, and code page 866 shown as UTF-8.
#include <gtest/gtest.h>

#include <string>

#include "console/cp866.h"
#include "console/terminal_screen.h"

namespace {

std::string Row(const TerminalScreen& s, int y) {
  std::string row;
  for (int x = 0; x < s.width; ++x) row += static_cast<char>(s.cells[y * s.width + x].ch);
  return row;
}

void Write(TerminalScreen* s, const std::string& text) {
  TerminalWrite(s, reinterpret_cast<const uint8_t*>(text.data()), static_cast<uint32_t>(text.size()));
}

TEST(TerminalScreen, WritingMovesTheCursorAsTheConsoleDoes) {
  TerminalScreen s;
  TerminalScreenInit(&s, 4, 3);
  Write(&s, "ab\ncd\rX");
  EXPECT_EQ(Row(s, 0), "ab  ");
  EXPECT_EQ(Row(s, 1), "Xd  ");
  EXPECT_EQ(s.cursor.x, 1);
  EXPECT_EQ(s.cursor.y, 1);
  Write(&s, "\b\bY\tZ");
  EXPECT_EQ(Row(s, 1), "Yd Z");  // a tab stops at the last column of a narrow row
}

TEST(TerminalScreen, LastColumnWrapsAtOnceAndScrollsAtTheBottom) {
  TerminalScreen s;
  TerminalScreenInit(&s, 3, 2);
  Write(&s, "abc");
  EXPECT_EQ(s.cursor.x, 0);
  EXPECT_EQ(s.cursor.y, 1);
  Write(&s, "def");
  EXPECT_EQ(Row(s, 0), "def");
  EXPECT_EQ(Row(s, 1), "   ");
  s.mode = 0;
  Write(&s, "ghij");
  EXPECT_EQ(Row(s, 1), "ghj");
  EXPECT_EQ(s.cursor.x, 2);
}

TEST(TerminalScreen, FillsStopAtTheEndOfTheBuffer) {
  TerminalScreen s;
  TerminalScreenInit(&s, 3, 2);
  EXPECT_EQ(TerminalFillCharacter(&s, '*', 100, ConsoleCoord{1, 1}), 2u);
  EXPECT_EQ(TerminalFillAttribute(&s, 0x1F, 4, ConsoleCoord{2, 0}), 4u);
  EXPECT_EQ(Row(s, 1), " **");
  EXPECT_EQ(s.cells[2].attribute, 0x1F);
  EXPECT_EQ(s.cells[5].attribute, 0x1F);
  EXPECT_EQ(TerminalFillCharacter(&s, '*', 1, ConsoleCoord{3, 0}), 0u);
  EXPECT_FALSE(TerminalSetCursorPosition(&s, ConsoleCoord{0, 2}));
}

TEST(TerminalScreen, ScrollMovesTheRectangleAndFillsWhatItLeft) {
  TerminalScreen s;
  TerminalScreenInit(&s, 2, 3);
  Write(&s, "aabbc");
  ASSERT_TRUE(TerminalScroll(&s, ConsoleRect{0, 1, 1, 2}, ConsoleCoord{0, 0}, '.', 7));
  EXPECT_EQ(Row(s, 0), "bb");
  EXPECT_EQ(Row(s, 1), "c ");
  EXPECT_EQ(Row(s, 2), "..");
  EXPECT_FALSE(TerminalScroll(&s, ConsoleRect{5, 5, 6, 6}, ConsoleCoord{0, 0}, ' ', 7));
}

TEST(TerminalScreen, OutputCarriesColourPositionAndUtf8) {
  TerminalScreen s;
  TerminalScreenInit(&s, 10, 2);
  s.attribute = 8;  // dark grey on black: bright black
  Write(&s, "\x88");  // И
  EXPECT_EQ(s.output, "\x1b[1;1H\x1b[0;90;40m\xd0\x98");
  s.output.clear();
  s.attribute = 0x4E;  // yellow on red
  TerminalSetCursorPosition(&s, ConsoleCoord{3, 1});
  Write(&s, "x");
  TerminalSyncCursor(&s);
  EXPECT_EQ(s.output, "\x1b[2;4H\x1b[0;93;41mx");
  EXPECT_EQ(TerminalColourSequence(0x97), "\x1b[0;37;104m");
}

TEST(TerminalScreen, EchoedLineMovesTheCopyWithoutSendingIt) {
  TerminalScreen s;
  TerminalScreenInit(&s, 5, 2);
  TerminalSetCursorPosition(&s, ConsoleCoord{0, 1});
  const uint8_t line[] = {'1', '2', '\n'};
  TerminalEchoed(&s, line, 3);
  EXPECT_TRUE(s.output.empty());
  EXPECT_EQ(Row(s, 0), "12   ");  // the terminal scrolled; so did the copy
  TerminalSyncCursor(&s);
  EXPECT_EQ(s.output, "\x1b[2;1H");
}

TEST(CodePage866, CyrillicBoxDrawingAndSignsRoundTrip) {
  EXPECT_EQ(Cp866ToUnicode(0x80), 0x0410u);
  EXPECT_EQ(Cp866ToUnicode(0xAF), 0x043Fu);
  EXPECT_EQ(Cp866ToUnicode(0xE0), 0x0440u);
  EXPECT_EQ(Cp866ToUnicode(0xF1), 0x0451u);
  EXPECT_EQ(Cp866ToUnicode(0xC9), 0x2554u);
  for (int b = 0; b < 256; ++b) EXPECT_EQ(UnicodeToCp866(Cp866ToUnicode(static_cast<uint8_t>(b))), b);
  EXPECT_EQ(UnicodeToCp866(0x20AC), -1);
  char utf8[4];
  ASSERT_EQ(Cp866ToUtf8(0xDB, utf8), 3);  // full block
  EXPECT_EQ(std::string(utf8, 3), "\xe2\x96\x88");
}

}  // namespace
