// Built-in fonts, palettes and colour maps as the screen and text code read them.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "gfx/data/builtin_data.h"
#include "tools/lzw_encoder.h"

namespace {

// The block as the generator laid it out before packing it.
const uint8_t kGeneratedLayout[] = {
#include "support/builtin_layout.inc"
};

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

Rgb Entry(const PaletteDesc& p, int i) {
  const uint8_t* t = p.colours + 3 * i;
  return {t[0], t[1], t[2]};
}

class BuiltinData : public ::testing::Test {
 protected:
  void SetUp() override { UnpackBuiltinData(); }
};

TEST_F(BuiltinData, PackedBlockUnpacksToTheGeneratedLayout) {
  static_assert(sizeof kGeneratedLayout == kBuiltinDataSize);
  EXPECT_EQ(g_builtin_unpacked, 255);
  EXPECT_EQ(std::memcmp(g_builtin_data, kGeneratedLayout, kBuiltinDataSize), 0);

  int32_t packed_size = 0;
  const uint8_t* packed = BuiltinPackedData(&packed_size);
  std::vector<uint8_t> again(kBuiltinDataSize);
  int32_t length = kBuiltinDataSize;
  EXPECT_EQ(LzwDecode(packed, packed_size, again.data(), &length), 0);
  EXPECT_EQ(length, kBuiltinDataSize);
  length = kBuiltinDataSize - 1;
  EXPECT_EQ(LzwDecode(packed, packed_size, again.data(), &length), -1);

  // A stale generated file would make the committed block differ from a fresh packing.
  std::vector<uint8_t> repacked = lzw::Encode(kGeneratedLayout, sizeof kGeneratedLayout);
  EXPECT_TRUE(std::vector<uint8_t>(packed, packed + packed_size) == repacked);
}

TEST_F(BuiltinData, UnpacksOnlyOnce) {
  const uint8_t saved = g_builtin_data[100];
  g_builtin_data[100] = static_cast<uint8_t>(~saved);
  UnpackBuiltinData();
  EXPECT_EQ(g_builtin_data[100], static_cast<uint8_t>(~saved));
  g_builtin_data[100] = saved;
  EXPECT_EQ(g_builtin_unpacked, 255);
}

TEST_F(BuiltinData, DescriptorsPointIntoTheUnpackedArea) {
  EXPECT_EQ(kFont8.height, 8);
  EXPECT_EQ(kFont14.height, 14);
  EXPECT_EQ(kFont16.height, 16);
  EXPECT_EQ(kFont8.glyphs, g_builtin_data + 0);
  EXPECT_EQ(kFont14.glyphs, g_builtin_data + 2048);
  EXPECT_EQ(kFont16.glyphs, g_builtin_data + 5632);
  EXPECT_EQ(kPalette16.count, 16);
  EXPECT_EQ(kPalette64.count, 64);
  EXPECT_EQ(kPalette256.count, 256);
  EXPECT_EQ(kPalette16.colours, g_builtin_data + 9728);
  EXPECT_EQ(kPalette64.colours, g_builtin_data + 9776);
  EXPECT_EQ(kPalette256.colours, g_builtin_data + 9968);
  EXPECT_EQ(9968 + 768, kBuiltinDataSize);
}

TEST_F(BuiltinData, Palette16IsTheClassicAdapterColours) {
  const Rgb expected[16] = {
      {0, 0, 0},      {0, 0, 170},    {0, 170, 0},    {0, 170, 170},
      {170, 0, 0},    {170, 0, 170},  {170, 85, 0},   {170, 170, 170},
      {85, 85, 85},   {85, 85, 255},  {85, 255, 85},  {85, 255, 255},
      {255, 85, 85},  {255, 85, 255}, {255, 255, 85}, {255, 255, 255},
  };
  for (int i = 0; i < 16; ++i) EXPECT_EQ(Entry(kPalette16, i), expected[i]) << "entry " << i;
}

TEST_F(BuiltinData, Palette64FollowsTheEgaBits) {
  EXPECT_EQ(Entry(kPalette64, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(Entry(kPalette64, 6), (Rgb{170, 170, 0}));
  EXPECT_EQ(Entry(kPalette64, 20), (Rgb{170, 85, 0}));
  EXPECT_EQ(Entry(kPalette64, 56), (Rgb{85, 85, 85}));
  EXPECT_EQ(Entry(kPalette64, 63), (Rgb{255, 255, 255}));
  // Through the 64-colour map the 16 default colours equal palette 16.
  for (int i = 0; i < 16; ++i)
    EXPECT_EQ(Entry(kPalette64, kColourMap64[i]), Entry(kPalette16, i)) << "colour " << i;
}

TEST_F(BuiltinData, Palette256IsTheVgaDefault) {
  for (int i = 0; i < 16; ++i) EXPECT_EQ(Entry(kPalette256, i), Entry(kPalette16, i));
  EXPECT_EQ(Entry(kPalette256, 16), (Rgb{0, 0, 0}));
  EXPECT_EQ(Entry(kPalette256, 17), (Rgb{20, 20, 20}));
  EXPECT_EQ(Entry(kPalette256, 31), (Rgb{255, 255, 255}));
  EXPECT_EQ(Entry(kPalette256, 32), (Rgb{0, 0, 255}));
  EXPECT_EQ(Entry(kPalette256, 33), (Rgb{64, 0, 255}));
  EXPECT_EQ(Entry(kPalette256, 57), (Rgb{157, 125, 255}));
  EXPECT_EQ(Entry(kPalette256, 44), (Rgb{255, 255, 0}));   // first block, yellow
  EXPECT_EQ(Entry(kPalette256, 104), (Rgb{0, 0, 113}));    // fourth block starts at level 28
  EXPECT_EQ(Entry(kPalette256, 247), (Rgb{44, 48, 64}));   // last colour of the last block
  for (int i = 248; i < 256; ++i) EXPECT_EQ(Entry(kPalette256, i), (Rgb{0, 0, 0})) << i;
}

TEST(ColourMaps, PickTheDefaultColoursOfTheSmallModes) {
  const uint8_t sets[4][4] = {{0, 11, 13, 15}, {0, 10, 12, 14}, {0, 3, 5, 7}, {0, 2, 4, 6}};
  EXPECT_EQ(std::memcmp(kColourMap2Bit, sets, sizeof sets), 0);
  EXPECT_EQ(kColourMap1Bit[0], 0);
  EXPECT_EQ(kColourMap1Bit[1], 15);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(kColourMap4Bit[i], i);
  const uint8_t ega[16] = {0, 1, 2, 3, 4, 5, 20, 7, 56, 57, 58, 59, 60, 61, 62, 63};
  EXPECT_EQ(std::memcmp(kColourMap64, ega, sizeof ega), 0);
}

std::vector<uint8_t> Glyph(const FontDesc& font, int c) {
  const uint8_t* rows = font.glyphs + c * font.height;
  return std::vector<uint8_t>(rows, rows + font.height);
}

TEST_F(BuiltinData, FontsHaveBlankEndsFullBlockAndEmptySpace) {
  for (const FontDesc* font : {&kFont8, &kFont14, &kFont16}) {
    const size_t h = static_cast<size_t>(font->height);
    EXPECT_EQ(Glyph(*font, 0xDB), std::vector<uint8_t>(h, 0xFF)) << "height " << h;
    EXPECT_EQ(Glyph(*font, 0x20), std::vector<uint8_t>(h, 0x00)) << "height " << h;
    EXPECT_EQ(Glyph(*font, 0x00), std::vector<uint8_t>(h, 0x00)) << "height " << h;
    EXPECT_EQ(Glyph(*font, 0xFF), std::vector<uint8_t>(h, 0x00)) << "height " << h;
    // The left half block proves bit 0 is the leftmost pixel.
    EXPECT_EQ(Glyph(*font, 0xDD), std::vector<uint8_t>(h, 0x0F)) << "height " << h;
  }
}

TEST_F(BuiltinData, LetterAHasThePcShapes) {
  EXPECT_EQ(Glyph(kFont8, 'A'),
            (std::vector<uint8_t>{0x0C, 0x1E, 0x33, 0x33, 0x3F, 0x33, 0x33, 0x00}));
  EXPECT_EQ(Glyph(kFont14, 'A'), (std::vector<uint8_t>{0x00, 0x00, 0x08, 0x1C, 0x36, 0x63, 0x63,
                                                       0x7F, 0x63, 0x63, 0x63, 0x00, 0x00, 0x00}));
  EXPECT_EQ(Glyph(kFont16, 'A'),
            (std::vector<uint8_t>{0x00, 0x00, 0x08, 0x1C, 0x36, 0x63, 0x63, 0x7F, 0x63, 0x63,
                                  0x63, 0x63, 0x00, 0x00, 0x00, 0x00}));
}

}  // namespace
