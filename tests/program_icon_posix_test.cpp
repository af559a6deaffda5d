// The committed icon file is a well-formed .ico with a 32x32 and a 16x16 image
// whose pixel data and masks lie inside the file.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

uint32_t Read16(const std::vector<uint8_t>& b, size_t at) { return b[at] | b[at + 1] << 8; }
uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
  return Read16(b, at) | Read16(b, at + 2) << 16;
}

TEST(ProgramIcon, CommittedFileHoldsBothSizes) {
  auto path = std::filesystem::path(__FILE__).parent_path().parent_path() / "game" / "tavrel.ico";
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << path;
  std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
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

}  // namespace
