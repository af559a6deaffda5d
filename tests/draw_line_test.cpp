// Lines and boxes: the game's board, styles, rounding, clipping, relative steps.
#include <gtest/gtest.h>

#include "gfx/draw_internal.h"
#include "gfx/screen.h"
#include "support/draw_screen.h"

namespace {

using Pixels = std::set<std::pair<int32_t, int32_t>>;

void Line(float x1, float y1, float x2, float y2, uint32_t colour = 15, uint32_t style = 0xFFFF,
          int32_t flags = 0) {
  DrawLine(nullptr, x1, y1, x2, y2, colour, kDrawKindLine, style, flags);
}

std::vector<int32_t> SetColumnsOfRow(int32_t y) {
  std::vector<int32_t> xs;
  for (const auto& [x, py] : PixelsNot(0)) {
    if (py == y) xs.push_back(x);
  }
  return xs;
}

// Counts pixel_fill calls while installed.
int g_fill_calls = 0;
void (*g_real_fill)(void*, uint32_t, int32_t) = nullptr;
void CountingFill(void* dst, uint32_t value, int32_t n) {
  ++g_fill_calls;
  g_real_fill(dst, value, n);
}

class LineTest : public DrawScreenTest {
 protected:
  void SetUp() override { OpenDrawScreen(12); }
};

}  // namespace

TEST_F(LineTest, GameBoardDrawsEighteenFullLinesAndFlagsOnlyItsRows) {
  for (int i = 0; i <= 8; ++i) {
    const float at = static_cast<float>(20 + 40 * i);
    Line(at, 20, at, 340);
    Line(20, at, 340, at);
  }
  for (int i = 0; i <= 8; ++i) {
    const int32_t at = 20 + 40 * i;
    int vertical = 0, horizontal = 0;
    for (int32_t t = 20; t <= 340; ++t) {
      vertical += PixelAt(at, t) == 15;
      horizontal += PixelAt(t, at) == 15;
    }
    EXPECT_EQ(vertical, 321) << "x = " << at;
    EXPECT_EQ(horizontal, 321) << "y = " << at;
  }
  EXPECT_EQ(PixelsNot(0).size(), 18u * 321 - 81);  // the 81 crossings are shared
  EXPECT_EQ(DirtyRows(), Range(20, 340));
  EXPECT_EQ(LockCount(), 18);
  EXPECT_EQ(UnlockCount(), 18);
}

TEST_F(LineTest, SinglePointFollowsTheFirstStyleBit) {
  Line(10, 10, 10, 10, 15, 0x7FFF);
  EXPECT_TRUE(PixelsNot(0).empty());
  Line(10, 10, 10, 10, 15, 0xFFFF);
  EXPECT_EQ(PixelsNot(0), (Pixels{{10, 10}}));
}

TEST_F(LineTest, StyleIsAnchoredAtTheStartPointInEitherDirection) {
  Line(0, 0, 31, 0, 15, 0xF0F0);
  std::vector<int32_t> forward = {0, 1, 2, 3, 8, 9, 10, 11, 16, 17, 18, 19, 24, 25, 26, 27};
  EXPECT_EQ(SetColumnsOfRow(0), forward);

  Line(31, 2, 0, 2, 15, 0xF0F0);
  std::vector<int32_t> backward = {4, 5, 6, 7, 12, 13, 14, 15, 20, 21, 22, 23, 28, 29, 30, 31};
  EXPECT_EQ(SetColumnsOfRow(2), backward);

  // A length that is not a multiple of 16 still starts the pattern at x = 20.
  Line(20, 4, 0, 4, 15, 0xF0F0);
  std::vector<int32_t> odd = {1, 2, 3, 4, 9, 10, 11, 12, 17, 18, 19, 20};
  EXPECT_EQ(SetColumnsOfRow(4), odd);
}

TEST_F(LineTest, VerticalStyleIsAnchoredAtTheStartPointToo) {
  Line(100, 20, 100, 0, 15, 0xF0F0);
  std::vector<int32_t> ys;
  for (int32_t y = 0; y <= 20; ++y) {
    if (PixelAt(100, y) == 15) ys.push_back(y);
  }
  EXPECT_EQ(ys, (std::vector<int32_t>{1, 2, 3, 4, 9, 10, 11, 12, 17, 18, 19, 20}));
}

TEST_F(LineTest, SlopedLinesStepAlongTheLongerAxis) {
  Line(0, 0, 5, 2);
  EXPECT_EQ(PixelsNot(0), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}));
  OpenDrawScreen(12);
  Line(0, 0, 2, 5);
  EXPECT_EQ(PixelsNot(0), (Pixels{{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}, {2, 5}}));
  OpenDrawScreen(12);
  Line(5, 2, 0, 0);  // drawn from its own first point
  EXPECT_EQ(PixelsNot(0), (Pixels{{5, 2}, {4, 2}, {3, 1}, {2, 1}, {1, 0}, {0, 0}}));
  EXPECT_EQ(DirtyRows(), Range(0, 2));
}

TEST_F(LineTest, CoordinatesRoundHalfAwayFromZeroAndAddTheViewOrigin) {
  int32_t x, y;
  MapCoords(0.5f, -0.5f, &x, &y);
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, -1);
  MapCoords(99.49f, 0.4f, &x, &y);
  EXPECT_EQ(x, 99);
  EXPECT_EQ(y, 0);
  MapCoords(2.5f, -2.5f, &x, &y);
  EXPECT_EQ(x, 3);
  EXPECT_EQ(y, -3);
  g_screen->view_x = 7;
  g_screen->view_y = 9;
  MapCoords(1.0f, 1.0f, &x, &y);
  EXPECT_EQ(x, 8);
  EXPECT_EQ(y, 10);
  MapCoords(3e12f, -3e12f, &x, &y);  // beyond int32: no undefined conversion
  EXPECT_EQ(x, INT32_MIN + 7);
  EXPECT_EQ(y, INT32_MIN + 9);
}

TEST_F(LineTest, LineAcrossTheViewIsClippedAndDrawnWithOneFill) {
  g_real_fill = g_pixel_ops.pixel_fill;
  g_pixel_ops.pixel_fill = CountingFill;
  g_fill_calls = 0;
  Line(-100, 240, 700, 240);
  g_pixel_ops.pixel_fill = g_real_fill;
  EXPECT_EQ(g_fill_calls, 1);
  EXPECT_EQ(SetColumnsOfRow(240), Range(0, 639));
  EXPECT_EQ(PixelsNot(0).size(), 640u);
  EXPECT_EQ(DirtyRows(), (std::vector<int32_t>{240}));
}

TEST_F(LineTest, LineWhollyOutsideDrawsNothingButMovesTheLastPoint) {
  Line(-10, -10, -1, 500);
  EXPECT_TRUE(PixelsNot(0).empty());
  EXPECT_TRUE(DirtyRows().empty());
  EXPECT_EQ(LockCount(), 0);
  EXPECT_EQ(g_screen->last_x, -1.0f);
  EXPECT_EQ(g_screen->last_y, 500.0f);
}

TEST_F(LineTest, ClippingMovesTheOutsideEndAlongTheSlope) {
  int32_t x1 = -10, y1 = 0, x2 = 10, y2 = 20;
  EXPECT_EQ(ClipLine(&x1, &y1, &x2, &y2), 0);
  EXPECT_EQ(x1, 0);
  EXPECT_EQ(y1, 10);
  EXPECT_EQ(x2, 10);
  EXPECT_EQ(y2, 20);
  // Point 1 inside: the points come back exchanged, the outside one clipped.
  x1 = 600, y1 = 470, x2 = 700, y2 = 490;
  EXPECT_EQ(ClipLine(&x1, &y1, &x2, &y2), 0);
  EXPECT_EQ(x1, 639);
  EXPECT_EQ(y1, 477);  // 490 + 0.2 * (639 - 700) = 477.8, truncated
  EXPECT_EQ(x2, 600);
  EXPECT_EQ(y2, 470);
  x1 = 5, y1 = -50, x2 = 5, y2 = 900;  // vertical: only y moves
  EXPECT_EQ(ClipLine(&x1, &y1, &x2, &y2), 0);
  EXPECT_EQ(std::min(y1, y2), 0);
  EXPECT_EQ(std::max(y1, y2), 479);
  EXPECT_EQ(x1, 5);
  EXPECT_EQ(x2, 5);
  x1 = 700, y1 = 0, x2 = 800, y2 = 100;
  EXPECT_EQ(ClipLine(&x1, &y1, &x2, &y2), -1);
}

TEST_F(LineTest, OutCodesNameTheSidesBeyondTheView) {
  EXPECT_EQ(OutCode(0, 0), 0);
  EXPECT_EQ(OutCode(639, 479), 0);
  EXPECT_EQ(OutCode(-1, 0), kOutLeft);
  EXPECT_EQ(OutCode(640, 0), kOutRight);
  EXPECT_EQ(OutCode(0, -1), kOutTop);
  EXPECT_EQ(OutCode(0, 480), kOutBottom);
  EXPECT_EQ(OutCode(-1, 480), kOutLeft | kOutBottom);
}

TEST_F(LineTest, BoxOutlineDrawsOnlyTheEdgesInsideTheView) {
  DrawLine(nullptr, 630, 470, 700, 500, 15, kDrawKindBox, 0xFFFF, 0);
  Pixels expected;
  for (int32_t y = 470; y <= 479; ++y) expected.insert({630, y});
  for (int32_t x = 630; x <= 639; ++x) expected.insert({x, 470});
  EXPECT_EQ(PixelsNot(0), expected);
  EXPECT_EQ(DirtyRows(), Range(470, 479));
}

TEST_F(LineTest, BoxOutlineHasFourEdges) {
  DrawLine(nullptr, 13, 12, 10, 10, 15, kDrawKindBox, 0, 0);
  Pixels expected;
  for (int32_t x = 10; x <= 13; ++x) expected.insert({x, 10}), expected.insert({x, 12});
  expected.insert({10, 11});
  expected.insert({13, 11});
  EXPECT_EQ(PixelsNot(0), expected);
}

TEST_F(LineTest, FilledBoxIsTheSameForEitherCornerOrderAndIgnoresStyle) {
  DrawLine(nullptr, 10, 20, 15, 23, 9, kDrawKindFilledBox, 0xFFFF, 0);
  const Pixels first = PixelsNot(0);
  EXPECT_EQ(first.size(), 6u * 4);
  OpenDrawScreen(12);
  DrawLine(nullptr, 15, 23, 10, 20, 9, kDrawKindFilledBox, 0x0001, 0);
  EXPECT_EQ(PixelsNot(0), first);
  EXPECT_EQ(PixelAt(10, 20), 9u);
  EXPECT_EQ(DirtyRows(), Range(20, 23));
}

TEST_F(LineTest, BoxWhollyOutsideTakesNoLock) {
  DrawLine(nullptr, 640, 10, 700, 20, 15, kDrawKindFilledBox, 0xFFFF, 0);
  EXPECT_TRUE(PixelsNot(0).empty());
  EXPECT_EQ(LockCount(), 0);
  EXPECT_TRUE(DirtyRows().empty());
}

TEST_F(LineTest, ColourArgumentsUseTheForegroundOrAreMasked) {
  g_screen->foreground = 9;
  Line(0, 0, 3, 0, kDefaultColour);
  EXPECT_EQ(PixelAt(2, 0), 9u);
  Line(0, 1, 3, 1, 31);
  EXPECT_EQ(PixelAt(2, 1), 15u);
}

TEST_F(LineTest, RelativeStepsMoveThePointsAndTheLastPoint) {
  Line(10, 10, 5, 5, 15, 0xFFFF, kStepSecondRelative);
  EXPECT_EQ(PixelAt(15, 15), 15u);
  EXPECT_EQ(PixelAt(16, 16), 0u);
  EXPECT_EQ(g_screen->last_x, 15.0f);
  EXPECT_EQ(g_screen->last_y, 15.0f);

  Line(5, 0, 40, 15, 15, 0xFFFF, kStepFirstRelative);  // starts at (20, 15)
  EXPECT_EQ(PixelAt(20, 15), 15u);
  EXPECT_EQ(g_screen->last_x, 40.0f);

  Line(1, 1, 2, 0, 15, 0xFFFF, kStepBothRelative);  // (41, 16) to (43, 16)
  EXPECT_EQ(SetColumnsOfRow(16), (std::vector<int32_t>{41, 42, 43}));
  EXPECT_EQ(g_screen->last_x, 43.0f);
  EXPECT_EQ(g_screen->last_y, 16.0f);

  float x = 1, y = 2;
  ApplyStep(kStepPointRelative, &x, &y, nullptr, nullptr);
  EXPECT_EQ(x, 44.0f);
  EXPECT_EQ(y, 18.0f);
  EXPECT_EQ(g_screen->last_x, 44.0f);
}

TEST_F(LineTest, AnOperationInsideAnotherLeavesTheLockToItsCaller) {
  g_screen->state_flags |= kStateScreenLocked;
  Line(0, 0, 10, 0);
  EXPECT_EQ(LockCount(), 0);
  EXPECT_EQ(UnlockCount(), 0);
  EXPECT_NE(g_screen->state_flags & kStateScreenLocked, 0u);
  g_screen->state_flags &= ~kStateScreenLocked;
  Line(0, 0, 10, 0);
  EXPECT_EQ(LockCount(), 1);
  EXPECT_EQ(UnlockCount(), 1);
  EXPECT_EQ(g_screen->state_flags & kStateScreenLocked, 0u);
}

TEST(LineStyle, ReverseMirrorsTheSixteenBits) {
  EXPECT_EQ(ReverseStyle(0x0001), 0x8000u);
  EXPECT_EQ(ReverseStyle(0x00FF), 0xFF00u);
  EXPECT_EQ(ReverseStyle(0x1234), 0x2C48u);
  EXPECT_EQ(ReverseStyle(0xFFFF), 0xFFFFu);
}

TEST(LineNoScreen, DrawingWithoutAScreenDoesNothing) {
  ASSERT_EQ(g_screen, nullptr);
  DrawLine(nullptr, 0, 0, 10, 10, 15, kDrawKindLine, 0xFFFF, 0);
  DrawCircle(nullptr, 10, 10, 5, 15, 0, 0, kFullCircleMarker, 0, kStepPointAbsolute);
  SUCCEED() << "no screen context was touched";
}
