// The example programs as a learner runs them, on the platform under test:
// the console example's cells and colours in Wine's console or a terminal, and
// the graphics example's window against a picture this test draws itself from
// the shapes' geometry (its text from the font, its circles checked by their
// radius), then its key state, mouse and end.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "game_console.h"
#include "game_window.h"
#include "reference_board.h"

namespace e2e {
namespace {

constexpr Millis kWait(10000);

std::string RowText(const ConsoleScreen& s, int row) {
  std::string text;
  for (const ConsoleCell& c : s.at(row)) text += c.ch < 128 ? static_cast<char>(c.ch) : '?';
  return text;
}

// The first column of text on a row, with every cell of it in attribute attr;
// -1 when the row does not hold it so.
int ColumnOf(const ConsoleScreen& s, int row, const std::string& text, uint8_t attr) {
  const size_t at = RowText(s, row).find(text);
  if (at == std::string::npos) return -1;
  for (size_t i = 0; i < text.size(); ++i)
    if (s[row][at + i].attr != attr) return -1;
  return static_cast<int>(at);
}

std::string Dump(const ConsoleScreen& s) {
  std::string out;
  for (size_t row = 0; row < s.size() && row < 14; ++row) out += RowText(s, static_cast<int>(row)) + "\n";
  return out;
}

TEST(ExampleConsole, ShowsTheColoursZonesAndLocatedTextThenReadsKeysAndALine) {
  auto console = MakeExampleConsole("console_demo");
  ASSERT_TRUE(console->Start()) << console->Log();
  ASSERT_TRUE(console->WaitText("Escape goes on.")) << console->Log();
  const ConsoleScreen s = console->Screen();
  EXPECT_EQ(ColumnOf(s, 0, " Tavrel console demo ", 0x1F), 0) << Dump(s);
  // Each colour's number in that colour (black on light grey), one blank before each.
  int column = static_cast<int>(std::string("Colours:").size());
  for (int colour = 0; colour < 16; ++colour) {
    const std::string number = std::to_string(colour);
    const uint8_t attr = colour == 0 ? 0x70 : static_cast<uint8_t>(colour);
    column += 1;
    EXPECT_EQ(RowText(s, 2).substr(column, number.size()), number) << Dump(s);
    for (size_t i = 0; i < number.size(); ++i) EXPECT_EQ(s[2][column + i].attr, attr) << "colour " << colour;
    column += static_cast<int>(number.size());
  }
  EXPECT_EQ(ColumnOf(s, 4, "zone 1", 0x07), 0) << Dump(s);
  EXPECT_EQ(ColumnOf(s, 4, "zone 2", 0x07), 14) << Dump(s);
  EXPECT_EQ(ColumnOf(s, 4, "zone 3", 0x07), 28) << Dump(s);
  EXPECT_EQ(ColumnOf(s, 6, "Locate put this at row 7, column 41", 0x07), 40) << Dump(s);

  const std::pair<const char*, const char*> keys[] = {
      {"up", "Key: 255 72 (Up)"}, {"left", "Key: 255 75 (Left)"}, {"x", "Key: 120 (x)"}};
  for (const auto& [key, shown] : keys) {
    ASSERT_TRUE(console->Key(key));
    ASSERT_TRUE(console->WaitText(shown)) << key << "\n" << Dump(console->Screen());
  }
  ASSERT_TRUE(console->Key("esc"));
  ASSERT_TRUE(console->WaitText("Your name?")) << Dump(console->Screen());
  for (const char* key : {"a", "d", "a", "enter"}) ASSERT_TRUE(console->Key(key));
  ASSERT_TRUE(console->WaitText("Press any key to end.")) << Dump(console->Screen());
  const ConsoleScreen after = console->Screen();
  EXPECT_EQ(ColumnOf(after, 12, "Hello, ada!", 0x0E), 0) << Dump(after);
  ASSERT_TRUE(console->Key("right"));
  EXPECT_EQ(console->WaitExit(kWait), std::optional<int>(0)) << console->Log();
}

// The graphics example's picture, from what each shape is, not from how the
// runtime draws it: boxes, styled lines, swatches (entry 5 changed to orange:
// 255, 128, 0 kept as 6-bit levels reads back as 254, 129, 0) and text cells.
constexpr uint32_t kPalette[16] = {0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xFE8100,
                                   0xAA5500, 0xAAAAAA, 0x555555, 0x5555FF, 0x55FF55, 0x55FFFF,
                                   0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF};

void Fill(Picture* p, int x1, int y1, int x2, int y2, uint32_t rgb) {
  for (int y = y1; y <= y2; ++y)
    for (int x = x1; x <= x2; ++x) p->px[y * kClientW + x] = rgb;
}

// A line style: pixel k from the start is drawn when bit 15 - k % 16 is set.
void Styled(Picture* p, int x, int y, int dx, int dy, int n, uint16_t style, uint32_t rgb) {
  for (int k = 0; k < n; ++k)
    if (style >> (15 - k % 16) & 1) p->px[(y + k * dy) * kClientW + x + k * dx] = rgb;
}

void Text(Picture* p, const Picture& cells, int row) {
  for (int y = 16 * row; y < 16 * row + 16; ++y)
    for (int x = 0; x < kClientW; ++x) p->px[y * kClientW + x] = cells.At(x, y);
}

Picture ExpectedPicture() {
  Picture p;
  Fill(&p, 20, 40, 139, 139, kPalette[1]);
  Fill(&p, 160, 40, 279, 139, kPalette[14]);
  Fill(&p, 161, 41, 278, 138, kPalette[0]);
  Styled(&p, 300, 40, 1, 0, 120, 0xFFFF, kPalette[15]);
  Styled(&p, 300, 60, 1, 0, 120, 0xFF00, kPalette[10]);
  Styled(&p, 300, 80, 1, 0, 120, 0xCCCC, kPalette[12]);
  Styled(&p, 300, 100, 1, 1, 40, 0xFFFF, kPalette[11]);
  Styled(&p, 440, 40, 0, 1, 100, 0xF0F0, kPalette[13]);
  for (int i = 0; i < 16; ++i) Fill(&p, 40 * i, 340, 40 * i + 39, 379, kPalette[i]);
  auto cells = [](const std::string& text) {
    std::vector<Cell> row;
    for (char c : text) row.push_back(Cell{static_cast<uint8_t>(c), 0x0F});
    return row;
  };
  const Picture title = RenderCells({cells("Tavrel graphics demo: hold Space, click, Escape ends")});
  Text(&p, title, 0);
  std::vector<std::vector<Cell>> rows(27);
  rows.push_back(cells("         <- lit while Space is held"));
  Text(&p, RenderCells(rows), 27);
  Fill(&p, 20, 420, 59, 459, kPalette[8]);  // drawn after the text
  return p;
}

// The circles' band (rows 180 to 300) holds four shapes whose pixels are
// checked by their geometry; the last text row shows the moving pointer.
bool Masked(int y) { return (y >= 180 && y <= 300) || y >= 464; }

struct Round {
  int cx, cy;
  double rx, ry;
  uint32_t rgb;
  bool filled;
  // How far (dx, dy) lies from the curve, in pixels along the smaller radius.
  double Off(int dx, int dy) const {
    return (std::sqrt(dx * dx / (rx * rx) + dy * dy / (ry * ry)) - 1) * std::min(rx, ry);
  }
};

// An outline lies within 1.5 pixels of its curve, a filled shape covers its
// inside, and both reach the four ends of their axes.
void CheckRound(const Shot& shot, const Round& r) {
  const int rx = static_cast<int>(r.rx), ry = static_cast<int>(r.ry);
  for (auto [dx, dy] : {std::pair{-rx, 0}, {rx, 0}, {0, -ry}, {0, ry}})
    EXPECT_EQ(shot.At(r.cx + dx, r.cy + dy), r.rgb) << "centre " << r.cx << ", end " << dx << ", " << dy;
  for (int y = r.cy - ry - 3; y <= r.cy + ry + 3; ++y)
    for (int x = r.cx - rx - 3; x <= r.cx + rx + 3; ++x) {
      const double off = r.Off(x - r.cx, y - r.cy);
      const uint32_t got = shot.At(x, y);
      if (std::abs(off) <= 1.5) {
        ASSERT_TRUE(got == r.rgb || got == kPalette[0]) << "(" << x << ", " << y << ")";
      } else {
        ASSERT_EQ(got, r.filled && off < 0 ? r.rgb : kPalette[0]) << "(" << x << ", " << y << ")";
      }
    }
}

class ExampleGraphics : public ::testing::Test {
 protected:
  void SetUp() override {
    console_ = MakeExampleConsole("graphics_demo");
    ASSERT_TRUE(console_->Start()) << console_->Log();
    ASSERT_TRUE(window_.Find("kvgfxclass_graphics_demo", "graphics_demo", Millis(20000))) << console_->Log();
    ASSERT_EQ(window_.Info().client_w, kClientW);
    window_.Focus();
  }
  std::unique_ptr<GameConsole> console_;
  GameWindow window_;
};

TEST_F(ExampleGraphics, DrawsItsPictureFollowsSpaceAndTheMouseAndEndsOnEscape) {
  const Picture want = ExpectedPicture();
  Shot shot;
  // Shown once the last thing drawn (the Space square) and the palette change are.
  WaitFor([&] {
    shot = window_.Grab();
    return shot.Ok() && shot.At(40, 440) == kPalette[8] && shot.At(220, 360) == kPalette[5];
  }, kWait);
  ASSERT_TRUE(shot.Ok());
  for (int y = 0; y < kClientH; ++y) {
    if (Masked(y)) continue;
    for (int x = 0; x < kClientW; ++x) ASSERT_EQ(shot.At(x, y), want.At(x, y)) << "pixel (" << x << ", " << y << ")";
  }
  CheckRound(shot, {80, 240, 50, 50, kPalette[15], false});
  CheckRound(shot, {220, 240, 50, 50, kPalette[4], true});
  CheckRound(shot, {500, 240, 60, 30, kPalette[9], false});
  // The pie slice from 45 to 135 degrees: its two radii meet at the centre,
  // its arc passes straight above it, nothing lies below it.
  EXPECT_EQ(shot.At(360, 240), kPalette[14]);
  EXPECT_EQ(shot.At(360, 190), kPalette[14]);
  EXPECT_EQ(shot.At(335, 215), kPalette[14]);
  EXPECT_EQ(shot.At(385, 215), kPalette[14]);
  for (int y = 180; y <= 300; ++y)
    for (int x = 0; x < kClientW; ++x) {
      const bool in_shape = (x >= 27 && x <= 133) || (x >= 167 && x <= 273) || (x >= 437 && x <= 563) ||
                            (x >= 300 && x <= 420 && y <= 240);
      if (!in_shape) {
        ASSERT_EQ(shot.At(x, y), kPalette[0]) << "(" << x << ", " << y << ")";
      }
    }

  Xdotool({"keydown", "space"});
  EXPECT_TRUE(window_.WaitPixel(40, 440, kPalette[10], kWait)) << "Space held, the square is not lit";
  Xdotool({"keyup", "space"});
  EXPECT_TRUE(window_.WaitPixel(40, 440, kPalette[8], kWait)) << "Space released, the square is still lit";

  const int x = window_.Info().screen_x + 600, y = window_.Info().screen_y + 200;
  Xdotool({"mousemove", std::to_string(x), std::to_string(y), "mousedown", "1"});
  EXPECT_TRUE(window_.WaitPixel(600, 200, kPalette[12], kWait)) << "no dot where the button is held";
  Xdotool({"mouseup", "1"});

  window_.Key("Escape");
  EXPECT_EQ(console_->WaitExit(kWait), std::optional<int>(0)) << console_->Log();
}

}  // namespace
}  // namespace e2e
