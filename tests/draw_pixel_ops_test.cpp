// The pixel primitives per depth: unit sizes, fills that stop at their count,
// copies between overlapping rows, and the choice of the byte routines.
#include <gtest/gtest.h>

#include <cstring>

#include "gfx/blitters/blitter.h"
#include "gfx/draw.h"
#include "gfx/screen.h"
#include "support/draw_screen.h"

namespace {
class PixelOpsTest : public DrawScreenTest {};
}  // namespace

TEST_F(PixelOpsTest, PaletteDepthsStoreOneBytePerPixel) {
  OpenDrawScreen(12);
  g_pixel_ops.put_pixel(5, 3, 0x1234);
  EXPECT_EQ(g_screen->line_table[3][5], 0x34);
  EXPECT_EQ(g_screen->line_table[3][4], 0);
  EXPECT_EQ(g_screen->line_table[3][6], 0);
  EXPECT_EQ(g_pixel_ops.get_pixel(5, 3), 0x34u);
  g_pixel_ops.pixel_fill(g_screen->line_table[1] + 2, 0x1AB, 3);
  EXPECT_EQ(std::memcmp(g_screen->line_table[1], "\0\0\xAB\xAB\xAB\0", 6), 0);
}

TEST_F(PixelOpsTest, SixteenBitDepthStoresTwoBytesAndFillsTheLowHalf) {
  OpenDrawScreen(18, 16);
  g_pixel_ops.put_pixel(2, 0, 0xABCD1234);
  EXPECT_EQ(g_pixel_ops.get_pixel(2, 0), 0x1234u);
  EXPECT_EQ(g_pixel_ops.get_pixel(1, 0), 0u);
  EXPECT_EQ(g_pixel_ops.get_pixel(3, 0), 0u);
  g_pixel_ops.pixel_fill(g_screen->line_table[1] + 2, 0x00FFF81F, 3);
  EXPECT_EQ(g_pixel_ops.get_pixel(0, 1), 0u);
  for (int x = 1; x <= 3; ++x) EXPECT_EQ(g_pixel_ops.get_pixel(x, 1), 0xF81Fu) << x;
  EXPECT_EQ(g_pixel_ops.get_pixel(4, 1), 0u);
  g_pixel_ops.pixel_copy(g_screen->line_table[2], g_screen->line_table[1], 4);
  EXPECT_EQ(g_pixel_ops.get_pixel(3, 2), 0xF81Fu);
  EXPECT_EQ(g_pixel_ops.get_pixel(4, 2), 0u);
}

TEST_F(PixelOpsTest, ThirtyTwoBitDepthStoresWholeValues) {
  OpenDrawScreen(18, 32);
  g_pixel_ops.put_pixel(639, 479, 0xFEDCBA98);
  EXPECT_EQ(g_pixel_ops.get_pixel(639, 479), 0xFEDCBA98u);
  g_pixel_ops.pixel_fill(g_screen->line_table[0] + 4, 0x80000001, 2);
  EXPECT_EQ(g_pixel_ops.get_pixel(0, 0), 0u);
  EXPECT_EQ(g_pixel_ops.get_pixel(2, 0), 0x80000001u);
  EXPECT_EQ(g_pixel_ops.get_pixel(3, 0), 0u);
  g_pixel_ops.pixel_copy(g_screen->line_table[1] + 8, g_screen->line_table[0] + 4, 2);
  EXPECT_EQ(g_pixel_ops.get_pixel(1, 1), 0u);
  EXPECT_EQ(g_pixel_ops.get_pixel(2, 1), 0x80000001u);
  EXPECT_EQ(g_pixel_ops.get_pixel(3, 1), 0x80000001u);
  EXPECT_EQ(g_pixel_ops.get_pixel(4, 1), 0u);
}

TEST_F(PixelOpsTest, CopyTowardsLowerAddressesHandlesOverlap) {
  OpenDrawScreen(13);
  for (int32_t y = 0; y < 200; ++y) std::memset(g_screen->line_table[y], y, 320);
  g_pixel_ops.pixel_copy(g_screen->line_table[0], g_screen->line_table[8], 192 * 320);
  for (int32_t y = 0; y < 192; ++y) {
    ASSERT_EQ(g_pixel_ops.get_pixel(0, y), static_cast<uint32_t>(y + 8)) << y;
    ASSERT_EQ(g_pixel_ops.get_pixel(319, y), static_cast<uint32_t>(y + 8)) << y;
  }
}

TEST_F(PixelOpsTest, ByteRoutinesFollowTheProcessor) {
  OpenDrawScreen(12);
  if (CpuHasMmx()) {
    EXPECT_EQ(g_pixel_ops.byte_copy, &SimdByteCopy);
    EXPECT_EQ(g_pixel_ops.byte_fill, &SimdByteFill);
    EXPECT_NE(g_screen->state_flags & kStateMmxAvailable, 0u);
  } else {
    EXPECT_NE(g_pixel_ops.byte_copy, &SimdByteCopy);
    EXPECT_EQ(g_screen->state_flags & kStateMmxAvailable, 0u);
  }
  uint8_t bytes[8] = {};
  g_pixel_ops.byte_fill(bytes + 1, 0x3FF, 3);
  EXPECT_EQ(std::memcmp(bytes, "\0\xFF\xFF\xFF\0", 5), 0);
}

TEST_F(PixelOpsTest, DrawingInTrueColourConvertsTheColourArgument) {
  OpenDrawScreen(18, 32);
  DrawLine(nullptr, 0, 0, 9, 0, 0x00FF8040, kDrawKindLine, kStyleSolid, 0);
  EXPECT_EQ(g_pixel_ops.get_pixel(9, 0), 0x00FF8040u);
  DrawCircle(nullptr, 100, 100, 5, kDefaultColour, 0, 0, kFullCircleMarker, 1, kStepPointAbsolute);
  EXPECT_EQ(g_pixel_ops.get_pixel(100, 100), 0xFFFFFFFFu);
  OpenDrawScreen(18, 16);
  DrawLine(nullptr, 0, 0, 9, 0, 0x00FF0000, kDrawKindLine, kStyleSolid, 0);
  EXPECT_EQ(g_pixel_ops.get_pixel(5, 0), 0xF800u);
  EXPECT_EQ(g_pixel_ops.get_pixel(10, 0), 0u);
}
