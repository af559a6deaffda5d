// Temporary stand-in for the data area: made-up palettes and fonts (not the real
// colours or glyphs) and the colour maps, until the data area's code lands.
#include "gfx/data/builtin_data.h"

uint8_t g_builtin_data[kBuiltinDataSize];
uint8_t g_builtin_unpacked = 0;

const PaletteDesc kPalette16 = {16, g_builtin_data + kBuiltinPalette16Offset};
const PaletteDesc kPalette64 = {64, g_builtin_data + kBuiltinPalette64Offset};
const PaletteDesc kPalette256 = {256, g_builtin_data + kBuiltinPalette256Offset};
const FontDesc kFont8 = {8, g_builtin_data + kBuiltinFont8Offset};
const FontDesc kFont14 = {14, g_builtin_data + kBuiltinFont14Offset};
const FontDesc kFont16 = {16, g_builtin_data + kBuiltinFont16Offset};

const uint8_t kColourMap2Bit[4][4] = {{0, 11, 13, 15}, {0, 10, 12, 14}, {0, 3, 5, 7}, {0, 2, 4, 6}};
const uint8_t kColourMap1Bit[2] = {0, 15};
const uint8_t kColourMap4Bit[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
const uint8_t kColourMap64[16] = {0, 1, 2, 3, 4, 5, 20, 7, 56, 57, 58, 59, 60, 61, 62, 63};

void UnpackBuiltinData() {
  if (g_builtin_unpacked) return;
  for (int i = 0; i < kBuiltinDataSize; ++i) g_builtin_data[i] = static_cast<uint8_t>(i * 37 + (i >> 8));
  g_builtin_unpacked = 255;
}
