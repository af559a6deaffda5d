// The whole-number window scale on dense displays and the row widening that
// shows it.
#include <gtest/gtest.h>

#include <vector>

#include "gfx/window/display_scale.h"

namespace {

// A 640x480 client with a typical caption-and-border frame.
int32_t Factor(int32_t dpi, int32_t work_w, int32_t work_h) {
  return DisplayScaleFactor(dpi, 640, 480, 16, 39, work_w, work_h);
}

TEST(DisplayScale, FactorIsTheWholePartOfTheDisplayScale) {
  EXPECT_EQ(Factor(96, 3840, 2100), 1);
  EXPECT_EQ(Factor(120, 3840, 2100), 1);  // 125%: no blur, no stretch
  EXPECT_EQ(Factor(144, 3840, 2100), 1);  // 150%
  EXPECT_EQ(Factor(191, 3840, 2100), 1);
  EXPECT_EQ(Factor(192, 3840, 2100), 2);
  EXPECT_EQ(Factor(288, 3840, 2100), 3);
  EXPECT_EQ(Factor(0, 3840, 2100), 1);   // unknown
  EXPECT_EQ(Factor(-96, 3840, 2100), 1);
}

TEST(DisplayScale, FactorShrinksUntilTheWholeWindowFitsTheWorkArea) {
  // 1280x960 plus the frame is 1296x999: exactly fits, one pixel less does not.
  EXPECT_EQ(Factor(192, 1296, 999), 2);
  EXPECT_EQ(Factor(192, 1295, 999), 1);
  EXPECT_EQ(Factor(192, 1296, 998), 1);
  EXPECT_EQ(Factor(192, 1280, 1024), 1);  // the frame does not fit beside 1280
  // 300% asked, room for 2 only.
  EXPECT_EQ(Factor(288, 1920, 1080 - 40), 2);
  // A work area too small even for 1 still gives 1.
  EXPECT_EQ(Factor(192, 600, 400), 1);
  // Odd sizes: 321x201 with no frame at 288 DPI fits three times in 963x603.
  EXPECT_EQ(DisplayScaleFactor(288, 321, 201, 0, 0, 963, 603), 3);
  EXPECT_EQ(DisplayScaleFactor(288, 321, 201, 0, 0, 962, 603), 2);
}

TEST(DisplayScale, RowsWidenIntoSolidBlocksAndOnlyTheDirtyOnesWhenAsked) {
  // Three 2-byte pixels per row, two rows, scaled by 3 into a pitch with slack.
  const std::vector<uint8_t> src = {1, 2, 3, 4, 5, 6, 0xEE, 0xEE,  // row 0 and padding
                                    7, 8, 9, 10, 11, 12, 0xEE, 0xEE};
  const size_t dst_pitch = 3 * 3 * 2 + 4;
  std::vector<uint8_t> dst(dst_pitch * 6, 0xAA);
  ScaleRowsBy(src.data(), 8, dst.data(), dst_pitch, 3, 2, 3, 0, 1);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 9; ++x) {
      const uint8_t* want = &src[(y / 3) * 8 + (x / 3) * 2];
      EXPECT_EQ(dst[y * dst_pitch + x * 2], want[0]) << x << "," << y;
      EXPECT_EQ(dst[y * dst_pitch + x * 2 + 1], want[1]) << x << "," << y;
    }
  EXPECT_EQ(dst[dst_pitch - 1], 0xAA) << "the pitch's slack is not written";

  std::vector<uint8_t> clean(dst_pitch * 6, 0xAA);
  const uint8_t dirty[2] = {0, 0xFF};
  ScaleRowsBy(src.data(), 8, clean.data(), dst_pitch, 3, 2, 3, 0, 1, dirty);
  EXPECT_EQ(clean[0], 0xAA) << "a clean row stays as it was";
  EXPECT_EQ(clean[3 * dst_pitch], 7);
  EXPECT_EQ(clean[5 * dst_pitch + 17], 12);
}

}  // namespace
