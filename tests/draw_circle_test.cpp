// Circles, ellipses and arcs: the game's king, fills, aspect ratios, arcs with
// radius lines, angle normalisation, clipping and the last graphics point.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "gfx/draw_internal.h"
#include "gfx/screen.h"
#include "support/draw_screen.h"

namespace {

using Pixels = std::set<std::pair<int32_t, int32_t>>;
constexpr float kNearestTwoPi = 6.2831854820251465f;

void Circle(float x, float y, float radius, uint32_t colour, float aspect = 0, float start = 0,
            float end = kFullCircleMarker, int32_t fill = 0, int32_t flags = kStepPointAbsolute) {
  DrawCircle(nullptr, x, y, radius, colour, aspect, start, end, fill, flags);
}

// Columns set in each row.
std::map<int32_t, std::vector<int32_t>> ByRow(const Pixels& pixels) {
  std::map<int32_t, std::vector<int32_t>> rows;
  for (const auto& [x, y] : pixels) rows[y].push_back(x);
  return rows;
}

class CircleTest : public DrawScreenTest {
 protected:
  void SetUp() override { OpenDrawScreen(12); }
};

constexpr int32_t kCx = 100, kCy = 100;

}  // namespace

TEST_F(CircleTest, FullCircleMarkerIsOneStepAboveTheNearestTwoPi) {
  EXPECT_EQ(std::bit_cast<uint32_t>(kFullCircleMarker), 0x40C90FDCu);
  EXPECT_EQ(std::nextafter(kNearestTwoPi, 7.0f), kFullCircleMarker);
}

TEST_F(CircleTest, KingOutlineHasItsFiftySixPixels) {
  Circle(kCx, kCy, 10, 15);
  const Pixels pixels = PixelsNot(0);
  EXPECT_EQ(pixels.size(), 56u);
  auto rows = ByRow(pixels);
  ASSERT_EQ(rows.size(), 21u);
  EXPECT_EQ(rows.begin()->first, kCy - 10);
  EXPECT_EQ(rows.rbegin()->first, kCy + 10);
  EXPECT_EQ(rows[kCy - 10], Range(kCx - 2, kCx + 2));
  EXPECT_EQ(rows[kCy + 10], Range(kCx - 2, kCx + 2));
  const std::vector<int32_t> sides = {kCx - 10, kCx + 10};
  for (int32_t dy : {0, -1, 1, -2, 2}) EXPECT_EQ(rows[kCy + dy], sides) << dy;
  for (int32_t dy : {-7, 7}) {
    EXPECT_EQ(std::count(rows[kCy + dy].begin(), rows[kCy + dy].end(), kCx - 7), 1) << dy;
    EXPECT_EQ(std::count(rows[kCy + dy].begin(), rows[kCy + dy].end(), kCx + 7), 1) << dy;
  }
  for (const auto& [x, y] : pixels) {  // symmetric about both axes
    EXPECT_TRUE(pixels.count({2 * kCx - x, y}) && pixels.count({x, 2 * kCy - y})) << x << "," << y;
  }
  EXPECT_EQ(DirtyRows(), Range(kCy - 10, kCy + 10));
  EXPECT_EQ(LockCount(), 1);
  EXPECT_EQ(UnlockCount(), 1);
}

TEST_F(CircleTest, RedrawingTheKingInBlackRestoresTheBackground) {
  Circle(kCx, kCy, 10, 15);
  Circle(kCx, kCy, 10, 0);
  EXPECT_TRUE(PixelsNot(0).empty());
}

TEST_F(CircleTest, FilledKingCoversEveryRowBetweenTheOutlineEnds) {
  Circle(kCx, kCy, 10, 15);
  const auto outline = ByRow(PixelsNot(0));
  OpenDrawScreen(12);
  Circle(kCx, kCy, 10, 15, 0, 0, kFullCircleMarker, 1);
  const auto filled = ByRow(PixelsNot(0));
  ASSERT_EQ(filled.size(), 21u);
  for (const auto& [y, xs] : filled) {
    const auto& ends = outline.at(y);
    EXPECT_EQ(xs, Range(ends.front(), ends.back())) << "row " << y;
  }
  EXPECT_EQ(filled.at(kCy), Range(kCx - 10, kCx + 10));
}

TEST_F(CircleTest, Mode13AspectMakesTheCircleFlatter) {
  OpenDrawScreen(13);
  Circle(160, 100, 10, 15);
  const auto rows = ByRow(PixelsNot(0));
  EXPECT_EQ(rows.begin()->first, 92);
  EXPECT_EQ(rows.rbegin()->first, 108);
  EXPECT_EQ(rows.at(100), (std::vector<int32_t>{150, 170}));
  EXPECT_EQ(DirtyRows(), Range(91, 108));  // 100 - 8.33 truncates to 91
}

TEST_F(CircleTest, AspectAboveOneNarrowsTheWidth) {
  Circle(kCx, kCy, 10, 15, 2.0f);
  const auto rows = ByRow(PixelsNot(0));
  EXPECT_EQ(rows.begin()->first, kCy - 10);
  EXPECT_EQ(rows.rbegin()->first, kCy + 10);
  EXPECT_EQ(rows.at(kCy), (std::vector<int32_t>{kCx - 5, kCx + 5}));
}

TEST_F(CircleTest, RadiusZeroDrawsTheCentreOnly) {
  Circle(kCx, kCy, 0, 15);
  EXPECT_EQ(PixelsNot(0), (Pixels{{kCx, kCy}}));
  OpenDrawScreen(12);
  Circle(kCx, kCy, 0, 15, 0, 0, kFullCircleMarker, 1);
  EXPECT_EQ(PixelsNot(0), (Pixels{{kCx, kCy}}));
}

TEST_F(CircleTest, ExplicitTwoPiEndDrawsAnArcPointByPoint) {
  Circle(kCx, kCy, 10, 15, 0, 0, kNearestTwoPi);
  const Pixels arc = PixelsNot(0);
  OpenDrawScreen(12);
  Circle(kCx, kCy, 10, 15);
  EXPECT_NE(arc, PixelsNot(0));
  for (int32_t x : {kCx + 10, kCx - 10}) EXPECT_TRUE(arc.count({x, kCy})) << x;
  for (int32_t y : {kCy + 10, kCy - 10}) EXPECT_TRUE(arc.count({kCx, y})) << y;
  for (const auto& [x, y] : arc) {
    EXPECT_NEAR(std::hypot(x - kCx, y - kCy), 10.0, 0.75) << x << "," << y;
  }
}

TEST_F(CircleTest, NegativeStartDrawsARadiusLineThenTheArc) {
  Circle(kCx, kCy, 10, 15, 0, -0.5f, 1.0f);
  const Pixels pixels = PixelsNot(0);
  EXPECT_TRUE(pixels.count({kCx, kCy}));          // radius line from the centre
  EXPECT_TRUE(pixels.count({kCx + 9, kCy - 5}));  // to the point at 0.5 rad
  EXPECT_TRUE(pixels.count({kCx + 6, kCy - 8}));  // the arc's last point, near 1.0 rad
  EXPECT_FALSE(pixels.count({kCx + 10, kCy}));    // and does not start at 0
  for (const auto& [x, y] : pixels) {
    EXPECT_GE(x, kCx);
    EXPECT_LE(y, kCy);
  }
  EXPECT_EQ(DirtyRows(), Range(kCy - 10, kCy + 10));
  EXPECT_EQ(g_screen->last_x, static_cast<float>(kCx));
  EXPECT_EQ(g_screen->last_y, static_cast<float>(kCy));
}

TEST_F(CircleTest, EndBeforeStartRunsThroughZero) {
  Circle(kCx, kCy, 10, 15, 0, 3.0f, 1.0f);
  const Pixels pixels = PixelsNot(0);
  EXPECT_TRUE(pixels.count({kCx - 10, kCy - 1}));  // 3.0 rad
  EXPECT_TRUE(pixels.count({kCx - 10, kCy}));      // pi
  EXPECT_TRUE(pixels.count({kCx, kCy + 10}));      // 3 pi / 2
  EXPECT_TRUE(pixels.count({kCx + 10, kCy}));      // 2 pi
  EXPECT_TRUE(pixels.count({kCx + 6, kCy - 8}));   // near 1.0 rad
  EXPECT_FALSE(pixels.count({kCx, kCy - 10}));     // pi / 2 lies outside the arc
  EXPECT_FALSE(pixels.count({kCx, kCy}));          // no radius lines
}

TEST_F(CircleTest, ArcPointRoundsEachOffsetHalfAwayFromZero) {
  int32_t dx, dy;
  ArcPoint(0.5f, 10, 10, &dx, &dy);
  EXPECT_EQ(dx, 9);
  EXPECT_EQ(dy, 5);
  ArcPoint(3.0f, 10, 10, &dx, &dy);
  EXPECT_EQ(dx, -10);
  EXPECT_EQ(dy, 1);
  ArcPoint(-0.5f, 10, 10, &dx, &dy);
  EXPECT_EQ(dx, 9);
  EXPECT_EQ(dy, -5);
  ArcPoint(2.0f, 5, 5, &dx, &dy);  // cos 2 * 5 = -2.08, sin 2 * 5 = 4.55
  EXPECT_EQ(dx, -2);
  EXPECT_EQ(dy, 5);
}

TEST_F(CircleTest, RelativeCentreAndLastPoint) {
  g_screen->last_x = 50, g_screen->last_y = 60;
  Circle(10, 20, 10, 15, 0, 0, kFullCircleMarker, 0, kStepPointRelative);
  EXPECT_EQ(PixelAt(50, 80), 15u);  // left and right ends of a circle centred at (60, 80)
  EXPECT_EQ(PixelAt(70, 80), 15u);
  EXPECT_EQ(g_screen->last_x, 60.0f);
  EXPECT_EQ(g_screen->last_y, 80.0f);
}

TEST_F(CircleTest, PartlyVisibleCircleDrawsOnlyInsideTheView) {
  Circle(0, 0, 10, 15, 0, 0, kFullCircleMarker, 1);
  const auto rows = ByRow(PixelsNot(0));
  EXPECT_EQ(rows.begin()->first, 0);
  EXPECT_EQ(rows.rbegin()->first, 10);
  EXPECT_EQ(rows.at(0), Range(0, 10));
  EXPECT_EQ(DirtyRows(), Range(0, 10));
  OpenDrawScreen(12);
  Circle(635, 475, 10, 15, 0, 1.0f, 5.0f);
  for (const auto& [x, y] : PixelsNot(0)) EXPECT_TRUE(x < 640 && y < 480);
  EXPECT_EQ(DirtyRows(), Range(465, 479));
}

TEST_F(CircleTest, CircleWhollyOutsideStillLocksAndFlagsItsClampedRows) {
  Circle(-100, -100, 10, 15);
  EXPECT_TRUE(PixelsNot(0).empty());
  EXPECT_EQ(LockCount(), 1);
  EXPECT_EQ(DirtyRows(), (std::vector<int32_t>{0}));
}

TEST_F(CircleTest, AnglesBeyondTheFloatPrecisionStillFinish) {
  Circle(kCx, kCy, 10, 15, 0, 1e20f, 0.0f);
  Circle(kCx, kCy, 10, 15, 0, 0.0f, 1e20f);
  Circle(kCx, kCy, 100000, 15, 0, 1e6f, 1e6f + 1.0f);
  EXPECT_EQ(g_screen->last_x, static_cast<float>(kCx));
  EXPECT_EQ(LockCount(), 3);
}

TEST_F(CircleTest, LargeRadiusIsClippedToTheView) {
  Circle(320, 240, 100000, 15, 0, 0, kFullCircleMarker, 1);
  EXPECT_TRUE(PixelsNot(15).empty());
  EXPECT_EQ(DirtyRows(), Range(0, 479));
}

TEST_F(CircleTest, DefaultColourDrawsInTheForeground) {
  g_screen->foreground = 12;
  Circle(kCx, kCy, 3, kDefaultColour);
  EXPECT_EQ(PixelAt(kCx + 3, kCy), 12u);
}

TEST_F(CircleTest, VeryTallThinEllipseStopsOnceItsRowsLeaveTheView) {
  Circle(320, 240, 1e12f, 15, 1e11f);  // rx = 10, ry = 1e12
  EXPECT_EQ(PixelAt(310, 0), 15u);
  EXPECT_EQ(PixelAt(330, 479), 15u);
  EXPECT_EQ(PixelAt(320, 0), 0u);
  EXPECT_EQ(DirtyRows(), Range(0, 479));
}

TEST_F(CircleTest, EllipseFarOffTheScreenStepsWithoutOverflow) {
  Circle(100, -2147483000.0f, 1000, 15);
  Circle(2147483000.0f, 100, 1000, 15, 0, 0, kFullCircleMarker, 1);
  Circle(100, 100, 5, 15, 0, -0.5f, -2.0f, 0, kStepPointAbsolute);
  EXPECT_TRUE(PixelsNot(0).size() > 0u);
  for (const auto& [x, y] : PixelsNot(0)) EXPECT_TRUE(x >= 95 && x <= 105 && y >= 95 && y <= 105);
}
