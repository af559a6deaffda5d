// Temporary stand-in for the data area's fonts: a made-up pattern, not real glyphs.
#include "gfx/data/builtin_data.h"

uint8_t g_builtin_data[kBuiltinDataSize];
uint8_t g_builtin_unpacked = 0;

const FontDesc kFont8 = {8, g_builtin_data + kBuiltinFont8Offset};
const FontDesc kFont14 = {14, g_builtin_data + kBuiltinFont14Offset};
const FontDesc kFont16 = {16, g_builtin_data + kBuiltinFont16Offset};

void UnpackBuiltinData() {
  if (g_builtin_unpacked) return;
  for (int i = 0; i < kBuiltinPalette16Offset; ++i) g_builtin_data[i] = static_cast<uint8_t>(i * 37 + (i >> 4));
  g_builtin_unpacked = 255;
}
