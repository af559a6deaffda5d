// The built-in palettes, fonts and colour maps, unpacked once per process.
#pragma once
#include <cstdint>

struct PaletteDesc {
  int32_t count;          // 16, 64 or 256 entries
  const uint8_t* colours; // count triples red, green, blue
};

struct FontDesc {
  int32_t height;         // 8, 14 or 16 rows per glyph, always 8 pixels wide
  const uint8_t* glyphs;  // 256 glyphs of height bytes; bit 0 is the leftmost pixel
};

extern const PaletteDesc kPalette16;
extern const PaletteDesc kPalette64;
extern const PaletteDesc kPalette256;
extern const FontDesc kFont8;
extern const FontDesc kFont14;
extern const FontDesc kFont16;

// Unpacked area layout, in this order without gaps.
constexpr int kBuiltinFont8Offset = 0;
constexpr int kBuiltinFont14Offset = 2048;
constexpr int kBuiltinFont16Offset = 5632;
constexpr int kBuiltinPalette16Offset = 9728;
constexpr int kBuiltinPalette64Offset = 9776;
constexpr int kBuiltinPalette256Offset = 9968;
constexpr int kBuiltinDataSize = 10736;

extern uint8_t g_builtin_data[kBuiltinDataSize];
extern uint8_t g_builtin_unpacked;  // 0 until unpacked, then 255

// Fills g_builtin_data on its first call only.
void UnpackBuiltinData();

// The packed block that UnpackBuiltinData decodes, and its size in bytes.
const uint8_t* BuiltinPackedData(int32_t* size);

// Colour maps: framebuffer value to palette entry for the 1-, 2- and 4-bit modes.
extern const uint8_t kColourMap2Bit[4][4];
extern const uint8_t kColourMap1Bit[2];
extern const uint8_t kColourMap4Bit[16];
extern const uint8_t kColourMap64[16];

// 12-bit LZW, two codes in three bytes, 0xFFF ends the stream. dest_len holds the
// capacity on entry and the bytes written on return. 0 on success, -1 on failure.
int32_t LzwDecode(const uint8_t* src, int32_t src_len, uint8_t* dest, int32_t* dest_len);
