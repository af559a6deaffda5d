// Graphics text: glyph cells, wrap, line breaks, tabs, scrolling, dirty rows,
// cursor moves, colours, clearing, the text grid and typed lines.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "console/console.h"
#include "console/print_internal.h"
#include "gfx/input/keys_internal.h"
#include "gfx/screen.h"
#include "gfx/text_internal.h"
#include "support/draw_screen.h"
#include "support/fake_input.h"
#include "support/test_driver.h"
#include "gfx/data/builtin_data.h"

namespace {

void Write(const std::string& text) { GfxWriteText(text.data(), static_cast<int32_t>(text.size()), 0); }

int32_t GlyphHeight() { return g_screen->font_desc->height; }

// Whether cell (col, row) shows glyph c in the current colours, bit 0 leftmost.
::testing::AssertionResult CellShows(int32_t col, int32_t row, uint8_t c) {
  const int32_t h = GlyphHeight();
  const uint8_t* glyph = g_screen->font_desc->glyphs + c * h;
  for (int32_t r = 0; r < h; ++r) {
    for (int32_t k = 0; k < 8; ++k) {
      const uint32_t want = (glyph[r] >> k) & 1 ? g_screen->foreground : g_screen->background;
      const uint32_t got = PixelAt(8 * col + k, h * row + r);
      if (got != want) {
        return ::testing::AssertionFailure()
               << "cell (" << col << ", " << row << ") glyph " << int{c} << " pixel row " << r << " bit " << k
               << ": " << got << " instead of " << want;
      }
    }
  }
  return ::testing::AssertionSuccess();
}

// Fills the page with a value that neither text colour uses.
void Paint(uint32_t value) { g_pixel_ops.pixel_fill(g_screen->line_table[0], value, g_screen->width * g_screen->height); }

class TextTest : public DrawScreenTest {
 protected:
  void SetUp() override {
    OpenDrawScreen(12);
    g_screen->foreground = 14;
    g_screen->background = 1;
  }
};

}  // namespace

TEST_F(TextTest, DrawGlyphCopiesTheFontBitsLeftmostFirst) {
  g_screen->text_col = 3, g_screen->text_row = 2;
  DrawGlyph('A');
  EXPECT_TRUE(CellShows(3, 2, 'A'));
  // The font really has both set and clear bits in this glyph.
  const uint8_t* glyph = g_screen->font_desc->glyphs + 'A' * GlyphHeight();
  int set = 0;
  for (int r = 0; r < GlyphHeight(); ++r) set += std::popcount(glyph[r]);
  EXPECT_GT(set, 0);
  EXPECT_LT(set, 8 * GlyphHeight());
}

TEST_F(TextTest, MessageFillsCellsAndFlagsItsTextRowOnly) {
  GfxLocate(1, 1, -1);
  const std::string message = "Your move!";
  Write(message);
  for (int32_t i = 0; i < 10; ++i) EXPECT_TRUE(CellShows(i, 0, static_cast<uint8_t>(message[i])));
  EXPECT_EQ(DirtyRows(), Range(0, 15));
  EXPECT_EQ(g_screen->text_col, 10);
  EXPECT_EQ(g_screen->text_row, 0);
  EXPECT_EQ(LockCount(), 1);
  EXPECT_EQ(UnlockCount(), 1);
}

TEST_F(TextTest, HighBytesAndControlBytesAreGlyphs) {
  const char text[] = {static_cast<char>(200), 0, 7, 27};
  GfxWriteText(text, 4, 0);
  EXPECT_TRUE(CellShows(0, 0, 200));
  EXPECT_TRUE(CellShows(1, 0, 0));
  EXPECT_TRUE(CellShows(2, 0, 7));
  EXPECT_TRUE(CellShows(3, 0, 27));
  EXPECT_EQ(g_screen->text_col, 4);
}

TEST_F(TextTest, FullRowWrapsOnlyBeforeTheNextByte) {
  Write(std::string(80, 'x'));
  EXPECT_EQ(g_screen->text_col, 80);
  EXPECT_EQ(g_screen->text_row, 0);
  ClearDirty();
  Write("y");
  EXPECT_TRUE(CellShows(0, 1, 'y'));
  EXPECT_EQ(g_screen->text_col, 1);
  EXPECT_EQ(g_screen->text_row, 1);
  EXPECT_EQ(DirtyRows(), Range(16, 31));
}

TEST_F(TextTest, CarriageReturnLineFeedIsOneBreak) {
  GfxLocate(5, 1, -1);
  Write("A\r\nB");
  EXPECT_TRUE(CellShows(0, 4, 'A'));
  EXPECT_TRUE(CellShows(0, 5, 'B'));
  EXPECT_EQ(g_screen->text_row, 5);
  EXPECT_EQ(DirtyRows(), Range(64, 95));
  Write("C\r");  // a final carriage return is a plain break
  EXPECT_EQ(g_screen->text_row, 6);
  EXPECT_EQ(g_screen->text_col, 0);
  Write("\rD");
  EXPECT_TRUE(CellShows(0, 7, 'D'));
}

TEST_F(TextTest, LeadingLineFeedFlagsOnlyTheNewRow) {
  GfxLocate(3, 4, -1);
  Write("\nB");
  EXPECT_TRUE(CellShows(0, 3, 'B'));
  EXPECT_EQ(DirtyRows(), Range(48, 63));
}

TEST_F(TextTest, LineFeedOnTheLastRowScrollsTheTextArea) {
  for (int32_t y = 0; y < 480; ++y) g_pixel_ops.pixel_fill(g_screen->line_table[y], 2 + y % 11, 640);
  GfxLocate(30, 1, -1);
  Write("\n");
  for (int32_t y = 0; y < 464; ++y) {
    ASSERT_EQ(PixelAt(0, y), 2u + (y + 16) % 11) << y;
    ASSERT_EQ(PixelAt(639, y), 2u + (y + 16) % 11) << y;
  }
  for (int32_t y = 464; y < 480; ++y) {
    EXPECT_EQ(PixelAt(0, y), 1u) << y;
    EXPECT_EQ(PixelAt(639, y), 1u) << y;
  }
  EXPECT_EQ(g_screen->text_row, 29);
  EXPECT_EQ(g_screen->text_col, 0);
  EXPECT_EQ(DirtyRows(), Range(0, 479));
}

TEST_F(TextTest, CursorFarBelowTheGridIsPulledUpByOneScroll) {
  GfxLocate(40, 1, -1);
  Write("Z");
  EXPECT_EQ(g_screen->text_row, 29);
  EXPECT_TRUE(CellShows(0, 29, 'Z'));
}

TEST_F(TextTest, ScrollInAModeWithSpareRowsLeavesThemAlone) {
  OpenDrawScreen(15);  // 37 rows of 8 pixels: rows 296 to 299 lie outside
  Paint(9);
  GfxLocate(37, 1, -1);
  Write("\n");
  for (int32_t y = 296; y < 300; ++y) EXPECT_EQ(PixelAt(0, y), 9u);
  EXPECT_EQ(PixelAt(0, 295), 0u);
  EXPECT_EQ(DirtyRows(), Range(0, 295));
}

TEST_F(TextTest, TabsBlankUpToTheNextStopOfEight) {
  Paint(5);
  GfxLocate(1, 4, -1);
  Write("\t");
  EXPECT_EQ(g_screen->text_col, 8);
  for (int32_t x = 0; x < 80; ++x) {
    const uint32_t want = x >= 24 && x < 64 ? 1u : 5u;
    EXPECT_EQ(PixelAt(x, 7), want) << x;
  }
  Write("\t");
  EXPECT_EQ(g_screen->text_col, 16);
  EXPECT_EQ(PixelAt(127, 15), 1u);
  EXPECT_EQ(PixelAt(128, 15), 5u);
  EXPECT_EQ(DirtyRows(), Range(0, 15));
}

TEST_F(TextTest, TabAtTheLastColumnBlanksOnlyThatCellAndWrapsNext) {
  OpenDrawScreen(15);
  g_screen->background = 1;
  Paint(5);
  GfxLocate(1, 50, -1);
  Write("\t");
  EXPECT_EQ(g_screen->text_col, 56);
  EXPECT_EQ(PixelAt(391, 0), 5u);
  for (int32_t x = 392; x < 400; ++x) EXPECT_EQ(PixelAt(x, 7), 1u) << x;
  Write("Q");
  EXPECT_TRUE(CellShows(0, 1, 'Q'));
}

TEST_F(TextTest, SetColorInAPaletteModeMasksAndReturnsThePrevious) {
  g_screen->foreground = 15;
  g_screen->background = 0;
  EXPECT_EQ(GfxSetColor(14, -1), 15);
  EXPECT_EQ(g_screen->foreground, 14u);
  EXPECT_EQ(g_screen->background, 0u);
  EXPECT_EQ(GfxSetColor(20, 1), 14);
  EXPECT_EQ(g_screen->foreground, 4u);
  EXPECT_EQ(g_screen->background, 1u);
  EXPECT_EQ(GfxSetColor(-1, -1), (1 << 16) | 4);
  EXPECT_EQ(g_screen->foreground, 4u);
  OpenDrawScreen(13);
  GfxSetColor(300, 256 + 7);
  EXPECT_EQ(g_screen->foreground, 44u);
  EXPECT_EQ(g_screen->background, 7u);
}

// The last set_palette call for entry index, as {index, red, green, blue}.
std::vector<int32_t> LastPaletteCall(int32_t index) {
  std::vector<int32_t> found;
  for (const RecordedCall& c : DriverCalls()) {
    if (c.op == "set_palette" && c.args[0] == index) found = c.args;
  }
  return found;
}

std::vector<int32_t> BaseColour(int32_t index, int32_t k) {
  const uint32_t packed = g_screen->base_palette[k];
  return {index, static_cast<int32_t>(packed & 0xFF), static_cast<int32_t>((packed >> 8) & 0xFF),
          static_cast<int32_t>((packed >> 16) & 0xFF)};
}

TEST_F(TextTest, SetColorInEgaModesRecoloursEntryZeroForTheBackground) {
  OpenDrawScreen(9);
  EXPECT_EQ(GfxSetColor(18, 20), 15);
  EXPECT_EQ(g_screen->foreground, 2u);
  EXPECT_EQ(g_screen->background, 0u);
  EXPECT_EQ(LastPaletteCall(0), BaseColour(0, 20));
  EXPECT_EQ(GfxSetColor(-1, -1), 2);
}

TEST_F(TextTest, SetColorInModeOnePicksAColourSetThenRecoloursEntryZero) {
  OpenDrawScreen(1);
  const uint32_t before = g_screen->foreground;
  EXPECT_EQ(GfxSetColor(5, 2), static_cast<int32_t>(before));
  EXPECT_EQ(g_screen->foreground, before);
  EXPECT_EQ(g_screen->background, 0u);
  EXPECT_EQ(LastPaletteCall(1), BaseColour(1, 10));  // background 2 selects set 0, 10, 12, 14
  EXPECT_EQ(LastPaletteCall(3), BaseColour(3, 14));
  EXPECT_EQ(LastPaletteCall(0), BaseColour(0, 5));
}

TEST_F(TextTest, SetColorInATrueColourModeStoresThePixelValue) {
  OpenDrawScreen(18, 32);
  GfxSetColor(0x123456, 0x654321);
  EXPECT_EQ(g_screen->foreground, 0x123456u);
  EXPECT_EQ(g_screen->background, 0x654321u);
}

TEST_F(TextTest, LocateMovesOnlyThePositiveCoordinates) {
  GfxLocate(7, 3, -1);
  EXPECT_EQ(GfxLocate(0, 5, -1), 5 + 7 * 256);
  EXPECT_EQ(g_screen->text_col, 4);
  EXPECT_EQ(g_screen->text_row, 6);
  EXPECT_EQ(ConsolePrintColumn(), 4);
  EXPECT_EQ(GfxLocate(2, -1, -1), 5 + 2 * 256);
  EXPECT_EQ(g_screen->text_col, 4);
  EXPECT_EQ(GfxLocate(1, 1, -1), 1 + 256);
  EXPECT_EQ(g_screen->text_col, 0);
  EXPECT_EQ(g_screen->text_row, 0);
  EXPECT_EQ(ConsolePrintColumn(), 0);
}

TEST_F(TextTest, CursorAndGridQueriesAreOneBasedAndAcceptNull) {
  GfxLocate(4, 9, -1);
  EXPECT_EQ(GfxCursorColumn(), 9);
  EXPECT_EQ(GfxCursorRow(), 4);
  int32_t col = 0, row = 0;
  GfxCursorPosition(&col, &row);
  EXPECT_EQ(col, 9);
  EXPECT_EQ(row, 4);
  GfxCursorPosition(nullptr, &row);
  int32_t cols = 0, rows = 0;
  GfxTextSize(&cols, &rows);
  EXPECT_EQ(cols, 80);
  EXPECT_EQ(rows, 30);
  GfxTextSize(&cols, nullptr);
}

TEST_F(TextTest, ClearPageResetsCursorAndLastPoint) {
  Paint(6);
  GfxLocate(10, 10, -1);
  GfxClear(0);
  EXPECT_TRUE(PixelsNot(1).empty());
  EXPECT_EQ(DirtyRows(), Range(0, 479));
  EXPECT_EQ(g_screen->text_col, 0);
  EXPECT_EQ(g_screen->text_row, 0);
  EXPECT_EQ(g_screen->last_x, 320.0f);
  EXPECT_EQ(g_screen->last_y, 240.0f);
  EXPECT_EQ(LockCount(), 1);
}

TEST_F(TextTest, ClearViewTouchesOnlyTheView) {
  Paint(6);
  g_screen->view_x = 10, g_screen->view_y = 20, g_screen->view_w = 30, g_screen->view_h = 5;
  GfxClear(1);
  EXPECT_EQ(PixelsNot(6).size(), 30u * 5);
  EXPECT_EQ(PixelAt(10, 20), 1u);
  EXPECT_EQ(PixelAt(39, 24), 1u);
  EXPECT_EQ(PixelAt(40, 24), 6u);
  EXPECT_EQ(DirtyRows(), Range(20, 24));
}

TEST_F(TextTest, SetTextSizeAcceptsOnlyEightPixelWideCellsOfKnownHeight) {
  EXPECT_EQ(GfxSetTextSize(0, 0), (480 << 16) | 640);
  EXPECT_EQ(GfxSetTextSize(40, 30), (480 << 16) | 640);  // 16-pixel cells: refused
  EXPECT_EQ(g_screen->text_cols, 80);
  EXPECT_EQ(g_screen->font_desc->height, 16);
  GfxLocate(5, 5, -1);
  GfxSetTextSize(80, 60);
  EXPECT_EQ(g_screen->text_rows, 60);
  EXPECT_EQ(g_screen->text_cols, 80);
  EXPECT_EQ(g_screen->font_desc->height, 8);
  EXPECT_EQ(g_screen->text_row, 0);  // the view was cleared
  GfxSetTextSize(0, 34);
  EXPECT_EQ(g_screen->font_desc->height, 14);
  EXPECT_EQ(g_screen->text_rows, 34);
  EXPECT_EQ(g_screen->text_cols, 80);
}

class ReadLineTest : public TextTest {
 protected:
  void Keys(std::initializer_list<int32_t> keys) {
    for (int32_t k : keys) KeyQueuePut(k);
  }
};

TEST_F(ReadLineTest, EnterEndsTheLineAndIsKept) {
  char buffer[16];
  std::memset(buffer, 'Z', sizeof buffer);
  Keys({'h', 'i', 13});
  EXPECT_EQ(GfxReadLine(buffer, sizeof buffer), buffer);
  EXPECT_STREQ(buffer, "hi\r");
  EXPECT_TRUE(CellShows(0, 0, 'h'));
  EXPECT_TRUE(CellShows(1, 0, 'i'));
  EXPECT_TRUE(CellShows(2, 0, ' '));  // the cursor mark was wiped
  EXPECT_EQ(g_screen->text_row, 1);
  EXPECT_EQ(g_screen->text_col, 0);
}

TEST_F(ReadLineTest, BackspaceErasesTheLastCharacterAndItsMark) {
  char buffer[16];
  Keys({'a', 'b', 8, 'c', 300, 7, 13});
  GfxReadLine(buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "ac\r");
  EXPECT_TRUE(CellShows(0, 0, 'a'));
  EXPECT_TRUE(CellShows(1, 0, 'c'));
  EXPECT_TRUE(CellShows(2, 0, ' '));
}

TEST_F(ReadLineTest, BackspaceWithNothingTypedDoesNothing) {
  char buffer[16];
  GfxLocate(3, 5, -1);
  Keys({8, 8, 'x', 13});
  GfxReadLine(buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "x\r");
  EXPECT_TRUE(CellShows(4, 2, 'x'));
}

TEST_F(ReadLineTest, FullBufferIgnoresFurtherKeysAndStoresNoEnter) {
  char buffer[8];
  std::memset(buffer, 'Z', sizeof buffer);
  Keys({'a', 'b', 'c', 'd', 'e', 13});
  GfxReadLine(buffer, 4);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(buffer[4], 'Z');
  EXPECT_TRUE(CellShows(3, 0, kCursorMarkGlyph));  // the block stays, no line break
  EXPECT_EQ(g_screen->text_row, 0);
}

TEST_F(ReadLineTest, BackspaceOnTheFirstCellClampsToTheOrigin) {
  // A one-row grid: the echo of the second key scrolls the input onto cell (0, 0).
  g_screen->text_cols = 2;
  g_screen->text_rows = 1;
  char buffer[8];
  // The key wait sleeps after each key it takes: the cursor is seen there, with
  // every earlier key handled and the cursor mark shown for the next one.
  FakeServices services;
  std::vector<std::pair<int32_t, int32_t>> cursor;
  services.on_sleep = [&] { cursor.emplace_back(g_screen->text_col, g_screen->text_row); };
  Keys({'a', 'b', 8, 13});
  GfxReadLine(buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "a\r");
  ASSERT_EQ(cursor.size(), 4u);
  EXPECT_EQ(cursor[3], std::make_pair(0, 0)) << "after the backspace, before Enter";
  EXPECT_EQ(g_screen->text_col, 0);
  EXPECT_EQ(g_screen->text_row, 0);
}

TEST_F(ReadLineTest, BufferWithoutRoomReceivesNothing) {
  char buffer[4] = {'Z', 'Z', 'Z', 'Z'};
  Keys({'a', 13});
  EXPECT_EQ(GfxReadLine(buffer + 1, 0), buffer + 1);
  EXPECT_EQ(std::string(buffer, 4), "ZZZZ");
  Keys({'a', 13});
  GfxReadLine(buffer + 1, -5);
  EXPECT_EQ(std::string(buffer, 4), "ZZZZ");
  Keys({'a', 13});
  GfxReadLine(buffer + 1, 1);
  EXPECT_EQ(std::string(buffer, 4), std::string("Z\0ZZ", 4));
}

TEST(ReadLineNoScreen, GivesNullWithoutAScreen) {
  ASSERT_EQ(g_screen, nullptr);
  char buffer[4];
  EXPECT_EQ(GfxReadLine(buffer, sizeof buffer), nullptr);
}

TEST_F(TextTest, ConsoleCallsReachTheWindowOnceAScreenIsOpen) {
  Locate(2, 3, -1);
  PrintCString(0, "Hi", 0);
  EXPECT_TRUE(CellShows(2, 1, 'H'));
  EXPECT_TRUE(CellShows(3, 1, 'i'));
  EXPECT_EQ(CursorColumn(), 5);
  EXPECT_EQ(CursorRow(), 2);
  EXPECT_EQ(DirtyRows(), Range(16, 31));
}
