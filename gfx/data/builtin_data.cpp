// The unpacked area of built-in fonts and palettes, the descriptors that point
// into it, and the one-time unpacking of the packed block compiled into the program.
#include "gfx/data/builtin_data.h"

namespace {

const uint8_t kPackedBuiltinData[] = {
#include "gfx/data/builtin_packed.inc"
};

}  // namespace

uint8_t g_builtin_data[kBuiltinDataSize];
uint8_t g_builtin_unpacked = 0;

const FontDesc kFont8 = {8, g_builtin_data + kBuiltinFont8Offset};
const FontDesc kFont14 = {14, g_builtin_data + kBuiltinFont14Offset};
const FontDesc kFont16 = {16, g_builtin_data + kBuiltinFont16Offset};
const PaletteDesc kPalette16 = {16, g_builtin_data + kBuiltinPalette16Offset};
const PaletteDesc kPalette64 = {64, g_builtin_data + kBuiltinPalette64Offset};
const PaletteDesc kPalette256 = {256, g_builtin_data + kBuiltinPalette256Offset};

const uint8_t* BuiltinPackedData(int32_t* size) {
  *size = static_cast<int32_t>(sizeof kPackedBuiltinData);
  return kPackedBuiltinData;
}

// The packed block is fixed and the unit tests decode it in full, so the
// decoder's result needs no handling here.
void UnpackBuiltinData() {
  if (g_builtin_unpacked != 0) return;
  int32_t size = kBuiltinDataSize;
  LzwDecode(kPackedBuiltinData, static_cast<int32_t>(sizeof kPackedBuiltinData), g_builtin_data,
            &size);
  g_builtin_unpacked = 255;
}
