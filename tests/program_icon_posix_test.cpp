// The committed icon file is a well-formed .ico with a 32x32 and a 16x16 image
// whose pixel data and masks lie inside the file, its pixels are the shared
// drawing, and the X window's icon property holds the same drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "gfx/window/program_icon.h"

namespace {

uint32_t Read16(const std::vector<uint8_t>& b, size_t at) { return b[at] | b[at + 1] << 8; }
uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
  return Read16(b, at) | Read16(b, at + 2) << 16;
}

std::vector<uint8_t> CommittedIcon() {
  auto path = std::filesystem::path(__FILE__).parent_path().parent_path() / "game" / "tavrel.ico";
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(ProgramIcon, CommittedFileHoldsBothSizes) {
  std::vector<uint8_t> b = CommittedIcon();
  ASSERT_GE(b.size(), 6u + 2 * 16);
  EXPECT_EQ(Read16(b, 0), 0u);
  EXPECT_EQ(Read16(b, 2), 1u);  // icon, not cursor
  ASSERT_EQ(Read16(b, 4), 2u);
  const uint32_t sizes[] = {32, 16};
  for (int i = 0; i < 2; ++i) {
    size_t e = 6 + 16 * i;
    EXPECT_EQ(b[e], sizes[i]);
    EXPECT_EQ(b[e + 1], sizes[i]);
    uint32_t bytes = Read32(b, e + 8), offset = Read32(b, e + 12);
    ASSERT_LE(static_cast<size_t>(offset) + bytes, b.size());
    // BITMAPINFOHEADER: 40 bytes, height doubled for the AND mask, 32 bits.
    EXPECT_EQ(Read32(b, offset), 40u);
    EXPECT_EQ(Read32(b, offset + 4), sizes[i]);
    EXPECT_EQ(Read32(b, offset + 8), sizes[i] * 2);
    EXPECT_EQ(Read16(b, offset + 14), 32u);
    uint32_t mask_stride = (sizes[i] + 31) / 32 * 4;
    EXPECT_EQ(bytes, 40 + sizes[i] * sizes[i] * 4 + mask_stride * sizes[i]);
    // The centre pixel is the king: opaque white.
    size_t centre = offset + 40 + ((sizes[i] / 2) * sizes[i] + sizes[i] / 2) * 4;
    EXPECT_EQ(b[centre], 255);
    EXPECT_EQ(b[centre + 3], 255);
  }
}

// The .ico stores BGRA rows bottom-up; the drawing is ARGB top-down.
TEST(ProgramIcon, CommittedPixelsAreTheSharedDrawing) {
  std::vector<uint8_t> b = CommittedIcon();
  ASSERT_GE(b.size(), 6u + 2 * 16);
  for (int i = 0; i < 2; ++i) {
    const int size = kProgramIconSizes[i];
    const size_t pixels = Read32(b, 6 + 16 * i + 12) + 40;
    ASSERT_LE(pixels + static_cast<size_t>(size) * size * 4, b.size());
    std::vector<uint32_t> drawing = DrawProgramIcon(size);
    ASSERT_EQ(drawing.size(), static_cast<size_t>(size) * size);
    int wrong = 0;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        size_t at = pixels + (static_cast<size_t>(size - 1 - y) * size + x) * 4;
        uint32_t stored = b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
        wrong += stored != drawing[static_cast<size_t>(y) * size + x];
      }
    }
    EXPECT_EQ(wrong, 0) << size << "x" << size;
  }
}

TEST(ProgramIcon, WindowPropertyHoldsEachSizeAfterItsDimensions) {
  std::vector<uint32_t> property = ProgramIconProperty();
  ASSERT_EQ(property.size(), 2u + 32 * 32 + 2u + 16 * 16);
  EXPECT_EQ(property[0], 32u);
  EXPECT_EQ(property[1], 32u);
  EXPECT_EQ(property[2 + 32 * 32], 16u);
  EXPECT_EQ(property[3 + 32 * 32], 16u);
  std::vector<uint32_t> small = DrawProgramIcon(16);
  EXPECT_TRUE(std::equal(small.begin(), small.end(), property.begin() + 4 + 32 * 32));
  EXPECT_EQ(property[2 + 16 * 32 + 16], 0xFFFFFFFFu);  // the king's centre: opaque white
  EXPECT_EQ(property[2], 0xFFFFFFFFu);                 // the white edge
  EXPECT_EQ(property[2 + 32 + 5] >> 24, 0xFFu);        // and nothing transparent
}

}  // namespace
