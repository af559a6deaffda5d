// Console output: print zones and column tracking, numbered-file output, and the
// text console's write, colour, locate and clear operations on a fake console.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "console/console.h"
#include "console/print_internal.h"
#include "console/runtime_internal.h"
#include "console/text_console.h"
#include "support/fake_console.h"

namespace {

// 80 x 25 buffer whose largest window has 24 rows: the view runs from row 1 to
// row 25, the buffer's last row.
struct ConsoleOutput : ::testing::Test {
  FakeConsole console{80, 25, 24};
};

TEST_F(ConsoleOutput, ZoneStepsPadToTheNextFourteenColumnZone) {
  PrintCString(0, "", kPrintNextZone);
  EXPECT_EQ(console.written, std::string(14, ' '));
  EXPECT_EQ(ConsolePrintColumn(), 14);

  console.written.clear();
  PrintCString(0, "\n", 0);
  PrintCString(0, "abc", kPrintNextZone);
  EXPECT_EQ(console.written, "\nabc" + std::string(11, ' '));
  EXPECT_EQ(ConsolePrintColumn(), 14);
  EXPECT_EQ(console.cursor_x, 14);

  PrintCString(0, "defghijklmnopqrstu", kPrintNextZone);  // 18 characters from column 15
  EXPECT_EQ(ConsolePrintColumn(), 42);
}

// The first print, before any locate, must count its text once: the record is
// taken from the cursor as it was before the text moved it.
TEST_F(ConsoleOutput, FirstPrintFromColumnOneCountsItsTextOnceAndTheZoneStepFollows) {
  PrintCString(0, "abc", 0);
  EXPECT_EQ(ConsolePrintColumn(), 3);
  PrintCString(0, "", kPrintNextZone);
  EXPECT_EQ(console.written, "abc" + std::string(11, ' '));
  EXPECT_EQ(ConsolePrintColumn(), 14);
  EXPECT_EQ(console.cursor_x, 14);
}

TEST_F(ConsoleOutput, ZoneStepPastTheLastFullZoneBecomesANewline) {
  // From zero-based column 56 the next zone would start at 71, past 80 - 14.
  SetConsolePrintColumn(56);
  console.cursor_x = 56;
  PrintCString(0, "", kPrintNextZone);
  EXPECT_EQ(console.written, "\n");
  EXPECT_EQ(ConsolePrintColumn(), 0);

  console.written.clear();
  SetConsolePrintColumn(55);  // next zone at 57 still fits
  PrintCString(0, "", kPrintNextZone);
  EXPECT_EQ(console.written, " ");
  EXPECT_EQ(ConsolePrintColumn(), 56);
}

TEST_F(ConsoleOutput, ColumnRecordStartsAtTheCursorAndFollowsLineEndsAndWidth) {
  console.cursor_x = 9;
  EXPECT_EQ(ConsolePrintColumn(), 9);
  PrintCString(0, "ab\ncd", 0);
  EXPECT_EQ(ConsolePrintColumn(), 2);
  PrintCString(0, "xy\r", 0);
  EXPECT_EQ(ConsolePrintColumn(), 0);
  SetConsolePrintColumn(78);
  PrintCString(0, "abcd", 0);
  EXPECT_EQ(ConsolePrintColumn(), 2);  // (78 + 4) mod 80
  ConsoleLocate(3, 31, -1);
  EXPECT_EQ(ConsolePrintColumn(), 30);
}

TEST_F(ConsoleOutput, EmptyItemsWriteOnlyTheirNewlineAndTemporariesAreReleased) {
  int before = RtTempInUse();
  PrintString(0, RtSharedEmpty(), kPrintNewline);
  EXPECT_EQ(console.written, "\n");
  PrintString(0, RtTempFromCString("hi"), kPrintNewline);
  EXPECT_EQ(console.written, "\nhi\n");
  EXPECT_EQ(RtTempInUse(), before);
  PrintCString(0, nullptr, 0);
  PrintText(0, "zz", 0, 0);
  EXPECT_EQ(console.written, "\nhi\n");
  EXPECT_EQ(console.Row(1), "hi");
}

TEST_F(ConsoleOutput, NumberedFilesWithoutAStreamReportBadArgument) {
  SetLastErrorCode(kErrorNone);
  PrintCString(3, "text", kPrintNewline);
  EXPECT_EQ(LastErrorCode(), kErrorBadArgument);
  SetLastErrorCode(kErrorNone);
  PrintCString(256, "", kPrintNextZone);
  EXPECT_EQ(LastErrorCode(), kErrorBadArgument);
  SetLastErrorCode(kErrorNone);
  PrintCString(-1, "x", 0);
  EXPECT_EQ(LastErrorCode(), kErrorBadArgument);
  EXPECT_EQ(console.written, "");
}

TEST_F(ConsoleOutput, NumberedFileOutputKeepsItsColumnModuloTheZoneWidth) {
  FILE* stream = std::tmpfile();
  ASSERT_NE(stream, nullptr);
  g_file_table[7] = FileSlot{stream, 0, 0, 0};
  PrintCString(7, "abcdefghijklmnopqrst", kPrintNextZone);  // 20 bytes, zone to 29
  EXPECT_EQ(LastErrorCode(), kErrorNone);
  EXPECT_EQ(g_file_table[7].print_column, 0);
  PrintCString(7, "x", kPrintNewline);
  std::rewind(stream);
  char buffer[64] = {};
  size_t n = std::fread(buffer, 1, sizeof buffer - 1, stream);
  EXPECT_EQ(std::string(buffer, n), "abcdefghijklmnopqrst" + std::string(8, ' ') + "x\n");
  std::fclose(stream);

  const char* path = "console_output_test_readonly.tmp";
  FILE* make = std::fopen(path, "wb");
  ASSERT_NE(make, nullptr);
  std::fclose(make);
  FILE* read_only = std::fopen(path, "rb");
  ASSERT_NE(read_only, nullptr);
  g_file_table[7] = FileSlot{read_only, 0, 0, 0};
  PrintCString(7, "abc", 0);
  EXPECT_EQ(LastErrorCode(), kErrorWriteFailed);
  std::fclose(read_only);
  std::remove(path);
  g_file_table[7] = FileSlot{};
}

TEST_F(ConsoleOutput, TextFillingTheLastRowOfTheViewDoesNotScroll) {
  console.cursor_x = 70;
  console.cursor_y = 24;
  ConsoleWrite("0123456789", 10, 0);
  EXPECT_EQ(console.cursor_x, 79);
  EXPECT_EQ(console.cursor_y, 24);
  EXPECT_EQ(console.buffer_scrolls, 0);
  EXPECT_EQ(console.Row(24), std::string(70, ' ') + "0123456789");
  ASSERT_EQ(console.mode_log.size(), 2u);
  EXPECT_EQ(console.mode_log[0], 1u);  // wrap flag cleared for the write ...
  EXPECT_EQ(console.mode, 3u);         // ... and the saved mode put back

  // The same text with the newline flag, or one byte shorter, leaves the mode alone.
  console.mode_log.clear();
  console.cursor_x = 70;
  ConsoleWrite("0123456789", 10, kPrintNewline);
  EXPECT_TRUE(console.mode_log.empty());
  EXPECT_EQ(console.buffer_scrolls, 1);
  console.cursor_x = 70;
  console.cursor_y = 24;
  ConsoleWrite("012345678", 9, 0);
  EXPECT_TRUE(console.mode_log.empty());
}

TEST_F(ConsoleOutput, TextRunningPastASetViewScrollsTheViewFirst) {
  ASSERT_TRUE(SetViewBounds(5, 20));
  console.Put(0, 4, "top");
  console.Put(0, 5, "second");
  console.Put(0, 19, "last");
  console.Put(0, 20, "below");
  console.cursor_x = 75;  // X = 76
  console.cursor_y = 19;  // Y = 20 = B
  ConsoleWrite("0123456789", 10, 0);
  EXPECT_EQ(console.scroll_calls, 1);
  EXPECT_EQ(console.Row(4), "second");
  EXPECT_EQ(console.Row(18), "last" + std::string(71, ' ') + "01234");
  EXPECT_EQ(console.Row(19), "56789");
  EXPECT_EQ(console.Row(20), "below");
  EXPECT_EQ(console.cursor_y, 19);
  EXPECT_EQ(console.cursor_x, 5);
}

TEST_F(ConsoleOutput, ScrollCountsTheRowsTheTextAndItsNewlineNeed) {
  ASSERT_TRUE(SetViewBounds(5, 20));
  console.cursor_x = 75;
  console.cursor_y = 18;  // one row left below the cursor
  ConsoleWrite("0123456789", 10, 0);
  EXPECT_EQ(console.scroll_calls, 0);
  console.cursor_x = 75;
  console.cursor_y = 18;
  ConsoleWrite("0123456789", 10, kPrintNewline);  // the newline needs one more row
  EXPECT_EQ(console.scroll_calls, 1);
  EXPECT_EQ(console.cursor_y, 19);  // the text wrapped onto the last row; the newline fits
  EXPECT_EQ(console.Row(19), "56789");

  console.FillAll(' ', 7);
  console.Put(0, 18, "keep");
  console.cursor_x = 0;  // 200 bytes from column 1 of the last row need two more rows
  console.cursor_y = 19;
  ConsoleWrite(std::string(200, 'w').c_str(), 200, 0);
  EXPECT_EQ(console.scroll_calls, 2);
  EXPECT_EQ(console.Row(16), "keep");
  EXPECT_EQ(console.Row(17), std::string(80, 'w'));
  EXPECT_EQ(console.Row(19), std::string(40, 'w'));
}

TEST_F(ConsoleOutput, CursorBelowASetViewIsBroughtBackToItsLastRow) {
  ASSERT_TRUE(SetViewBounds(1, 10));
  console.Put(0, 1, "row2");
  console.cursor_x = 0;
  console.cursor_y = 14;
  ConsoleWrite("x", 1, 0);
  EXPECT_EQ(console.scroll_calls, 1);
  EXPECT_EQ(console.Row(0), "row2");
  EXPECT_EQ(console.Row(9), "x");
  EXPECT_FALSE(SetViewBounds(0, 5));
  EXPECT_FALSE(SetViewBounds(6, 5));
}

TEST_F(ConsoleOutput, WritingStopsAtTheFirstFailingWrite) {
  console.max_bytes_per_write = 3;
  console.writes_before_failure = 2;
  ConsoleWrite("abcdefghij", 10, 0);
  EXPECT_EQ(console.written, "abcdef");
  console.writes_before_failure = -1;
  console.written.clear();
  ConsoleWrite("abcdefghij", 10, 0);
  EXPECT_EQ(console.written, "abcdefghij");
}

TEST_F(ConsoleOutput, SetColorChangesOnlyTheGivenColoursAndReturnsThePrevious) {
  EXPECT_EQ(ConsoleSetColor(-1, 3), 7);
  EXPECT_EQ(console.text_attribute, 7 + 16 * 3);
  EXPECT_EQ(ConsoleSetColor(17, 0), (3 << 16) | 7);
  EXPECT_EQ(console.text_attribute, 1);
  EXPECT_EQ(ConsoleSetColor(-5, -5), 1);
  EXPECT_EQ(console.text_attribute, 1);
  EXPECT_EQ(ConsoleSetColor(8, 0), 1);
  EXPECT_EQ(console.text_attribute, 8);
}

TEST_F(ConsoleOutput, LocateKeepsOmittedPartsAndPacksThePosition) {
  console.cursor_x = 12;
  console.cursor_y = 5;
  EXPECT_EQ(ConsoleLocate(0, 0, -1), 0x10000 | (6 << 8) | 13);
  EXPECT_EQ(console.cursor_x, 12);
  EXPECT_EQ(console.cursor_y, 5);
  EXPECT_EQ(ConsoleLocate(3, 0, 0), (3 << 8) | 13);
  EXPECT_FALSE(console.cursor.visible);
  EXPECT_EQ(console.cursor.size, 25u);
  EXPECT_EQ(ConsoleLocate(-1, 4, -7), (3 << 8) | 4);
  EXPECT_EQ(console.cursor_x, 3);
  EXPECT_EQ(console.cursor_y, 2);
  EXPECT_EQ(ConsoleLocate(1, 1, 5), 0x10000 | (1 << 8) | 1);
  EXPECT_TRUE(console.cursor.visible);
  EXPECT_EQ(ConsoleCursorColumn(), 1);
  EXPECT_EQ(ConsoleCursorRow(), 1);
}

TEST_F(ConsoleOutput, ClearWholeBufferOrOnlyTheViewRows) {
  console.FillAll('#', 0x1F);
  console.text_attribute = 0x2A;
  console.cursor_x = 40;
  console.cursor_y = 20;
  ConsoleClear(0);
  EXPECT_EQ(console.Row(0), "");
  EXPECT_EQ(console.Row(24), "");
  EXPECT_EQ(console.Attribute(79, 24), 0x2A);
  EXPECT_EQ(console.cursor_x, 0);
  EXPECT_EQ(console.cursor_y, 0);

  ASSERT_TRUE(SetViewBounds(5, 10));
  for (int32_t mode : {kNoArgument, 1}) {
    console.FillAll('#', 0x1F);
    ClearScreen(mode);
    EXPECT_EQ(console.Row(3), std::string(80, '#'));
    EXPECT_EQ(console.Row(4), "");
    EXPECT_EQ(console.Row(9), "");
    EXPECT_EQ(console.Attribute(0, 9), 0x2A);
    EXPECT_EQ(console.Row(10), std::string(80, '#'));
    EXPECT_EQ(console.cursor_x, 0);
    EXPECT_EQ(console.cursor_y, 4);
  }
}

TEST(ConsoleSize, TextSizeFallsBackToEightyColumnsAndCountsTheViewRows) {
  FakeConsole console(100, 40, 30);
  int32_t columns = 0, rows = 0;
  ConsoleTextSize(&columns, &rows);
  EXPECT_EQ(columns, 100);
  EXPECT_EQ(rows, 31);  // LargestHeight is the largest window's rows plus 1
  int32_t top = 0, bottom = 0;
  ViewBounds(&top, &bottom);
  EXPECT_EQ(top, 1);
  EXPECT_EQ(bottom, 31);
  console.buffer_info_fails = true;
  ConsoleTextSize(&columns, nullptr);
  EXPECT_EQ(columns, 80);
  ConsoleTextSize(nullptr, &rows);
  EXPECT_EQ(rows, 31);
}

}  // namespace
