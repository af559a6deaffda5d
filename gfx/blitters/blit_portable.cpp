// The portable conversions: plain C++ row kernels with the classic work per
// step (two 16-bit pixels per 32-bit store, four pixels into three words for
// 16-bit to 24-bit), and the portable family's table.
#include <cstring>

#include "gfx/blitters/blit_kernels.h"
#include "gfx/screen.h"

namespace {

uint32_t Load32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
uint32_t Load16(const uint8_t* p) { return static_cast<uint32_t>(p[0] | p[1] << 8); }
void Store32(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }
void Store16(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
void Store24(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v >> 16);
}

// Palette word 0x00BBGGRR to a 16-bit pixel; kRedLow puts red in the low bits.
template <bool kSixBitGreen, bool kRedLow>
uint32_t PaletteTo16(uint32_t c) {
  const uint32_t r = PalRed(c), g = Green(c), b = PalBlue(c);
  if (kSixBitGreen) return kRedLow ? Pack16(b, g, r) : Pack16(r, g, b);
  return kRedLow ? Pack15(b, g, r) : Pack15(r, g, b);
}

// 32-bit pixel 0x??RRGGBB to a 16-bit pixel; the top byte is dropped.
template <bool kSixBitGreen, bool kRedLow>
uint32_t RgbTo16(uint32_t c) {
  const uint32_t r = Red(c), g = Green(c), b = Blue(c);
  if (kSixBitGreen) return kRedLow ? Pack16(b, g, r) : Pack16(r, g, b);
  return kRedLow ? Pack15(b, g, r) : Pack15(r, g, b);
}

template <bool kSixBitGreen, bool kRedLow>
void IndexedTo16(uint8_t* dst, const uint8_t* src, int32_t width, const uint32_t* pal) {
  int32_t x = 0;
  for (; x + 2 <= width; x += 2, dst += 4)
    Store32(dst, PaletteTo16<kSixBitGreen, kRedLow>(pal[src[x]]) |
                     PaletteTo16<kSixBitGreen, kRedLow>(pal[src[x + 1]]) << 16);
  if (x < width) Store16(dst, PaletteTo16<kSixBitGreen, kRedLow>(pal[src[x]]));
}

template <bool kSixBitGreen, bool kRedLow>
void Rgb32To16(uint8_t* dst, const uint8_t* src, int32_t width) {
  int32_t x = 0;
  for (; x + 2 <= width; x += 2, src += 8, dst += 4)
    Store32(dst, RgbTo16<kSixBitGreen, kRedLow>(Load32(src)) |
                     RgbTo16<kSixBitGreen, kRedLow>(Load32(src + 4)) << 16);
  if (x < width) Store16(dst, RgbTo16<kSixBitGreen, kRedLow>(Load32(src)));
}

// Two 16-bit pixels at once in one 32-bit word.
template <uint32_t (*Pair)(uint32_t)>
void Rgb16Pairs(uint8_t* dst, const uint8_t* src, int32_t width) {
  int32_t x = 0;
  for (; x + 2 <= width; x += 2, src += 4, dst += 4) Store32(dst, Pair(Load32(src)));
  if (x < width) Store16(dst, Pair(Load16(src)));
}
uint32_t PairTo15O0(uint32_t p) { return (p & 0x001F001F) | ((p >> 1) & 0x7FE07FE0); }
uint32_t PairTo15O1(uint32_t p) {
  return ((p & 0x001F001F) << 10) | ((p >> 1) & 0x03E003E0) | ((p >> 11) & 0x001F001F);
}
uint32_t PairTo16O1(uint32_t p) {
  return ((p & 0x001F001F) << 11) | (p & 0x07E007E0) | ((p >> 11) & 0x001F001F);
}

uint32_t SwapRedBlue(uint32_t c) { return (c & 0x0000FF00) | (c & 0xFF) << 16 | (c >> 16 & 0xFF); }

uint32_t Lookup16(const uint32_t* lookup, uint32_t p) {
  return lookup[p & 0xFF] | lookup[256 + (p >> 8 & 0xFF)];
}

}  // namespace

namespace blit_portable {

void CopyRow(uint8_t* dst, const uint8_t* src, int32_t, const BlitTables& t) {
  auto copy = g_pixel_ops.byte_copy ? g_pixel_ops.byte_copy : std::memcpy;
  copy(dst, src, static_cast<size_t>(t.row_bytes));
}

void Idx15O0(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) { IndexedTo16<false, false>(d, s, w, t.palette); }
void Idx15O1(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) { IndexedTo16<false, true>(d, s, w, t.palette); }
void Idx16O0(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) { IndexedTo16<true, false>(d, s, w, t.palette); }
void Idx16O1(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) { IndexedTo16<true, true>(d, s, w, t.palette); }

// The palette pointer is read once: the byte stores could alias it, and
// reloading it per pixel made the loop too long for one 64-byte block with
// the Windows calling convention's registers. Red and blue are swapped by
// the order of the stores rather than by arithmetic.
void Idx24O0(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  const uint32_t* palette = t.palette;
  for (int32_t x = 0; x < w; ++x, d += 3) {
    const uint32_t c = palette[s[x]];
    d[0] = static_cast<uint8_t>(c >> 16);
    d[1] = static_cast<uint8_t>(c >> 8);
    d[2] = static_cast<uint8_t>(c);
  }
}
void Idx24O1(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  const uint32_t* palette = t.palette;
  for (int32_t x = 0; x < w; ++x, d += 3) Store24(d, palette[s[x]]);
}
// The palette word keeps its (always zero) top byte in both orders.
void Idx32O0(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  for (int32_t x = 0; x < w; ++x, d += 4) {
    const uint32_t c = t.palette[s[x]];
    Store32(d, (c & 0xFF000000) | SwapRedBlue(c));
  }
}
void Idx32O1(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  for (int32_t x = 0; x < w; ++x, d += 4) Store32(d, t.palette[s[x]]);
}

void Rgb16To15O0(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables&) { Rgb16Pairs<PairTo15O0>(d, s, w); }
void Rgb16To15O1(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables&) { Rgb16Pairs<PairTo15O1>(d, s, w); }
void Rgb16To16O1(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables&) { Rgb16Pairs<PairTo16O1>(d, s, w); }

// Four pixels into three words; the lookup decides the byte order.
void Rgb16To24(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  int32_t x = 0;
  for (; x + 4 <= w; x += 4, s += 8, d += 12) {
    const uint32_t c0 = Lookup16(t.lookup, Load16(s)), c1 = Lookup16(t.lookup, Load16(s + 2));
    const uint32_t c2 = Lookup16(t.lookup, Load16(s + 4)), c3 = Lookup16(t.lookup, Load16(s + 6));
    Store32(d, c0 | c1 << 24);
    Store32(d + 4, c1 >> 8 | c2 << 16);
    Store32(d + 8, c2 >> 16 | c3 << 8);
  }
  for (; x < w; ++x, s += 2, d += 3) Store24(d, Lookup16(t.lookup, Load16(s)));
}

void Rgb16To32(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  int32_t x = 0;
  for (; x + 2 <= w; x += 2, s += 4, d += 8) {
    const uint32_t p = Load32(s);
    Store32(d, Lookup16(t.lookup, p));
    Store32(d + 4, Lookup16(t.lookup, p >> 16));
  }
  if (x < w) Store32(d, Lookup16(t.lookup, Load16(s)));
}

void Rgb32To15O0(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables&) { Rgb32To16<false, false>(d, s, w); }
void Rgb32To15O1(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables&) { Rgb32To16<false, true>(d, s, w); }
void Rgb32To16O0(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables&) { Rgb32To16<true, false>(d, s, w); }
void Rgb32To16O1(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables&) { Rgb32To16<true, true>(d, s, w); }

void Rgb32To24O0(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables&) {
  for (int32_t x = 0; x < w; ++x, s += 4, d += 3) Store24(d, Load32(s));
}
void Rgb32To24O1(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables&) {
  for (int32_t x = 0; x < w; ++x, s += 4, d += 3) Store24(d, SwapRedBlue(Load32(s)));
}
// The fourth byte of a swapped pixel is written as zero.
void Rgb32To32O1(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables&) {
  for (int32_t x = 0; x < w; ++x, s += 4, d += 4) Store32(d, SwapRedBlue(Load32(s)));
}

}  // namespace blit_portable

namespace {
using namespace blit_portable;

constexpr BlitFamily PortableFamily(bool red_low) {
  return {
      .indexed = {.to8 = BlitCopy,
                  .to15 = red_low ? PortableBlit<Idx15O1> : PortableBlit<Idx15O0>,
                  .to16 = red_low ? PortableBlit<Idx16O1> : PortableBlit<Idx16O0>,
                  .to24 = red_low ? PortableBlit<Idx24O1> : PortableBlit<Idx24O0>,
                  .to32 = red_low ? PortableBlit<Idx32O1> : PortableBlit<Idx32O0>},
      .rgb16 = {.to8 = nullptr,
                .to15 = red_low ? PortableBlit<Rgb16To15O1> : PortableBlit<Rgb16To15O0>,
                .to16 = red_low ? PortableBlit<Rgb16To16O1> : BlitCopy,
                .to24 = PortableBlit<Rgb16To24>,
                .to32 = PortableBlit<Rgb16To32>},
      .rgb32 = {.to8 = nullptr,
                .to15 = red_low ? PortableBlit<Rgb32To15O1> : PortableBlit<Rgb32To15O0>,
                .to16 = red_low ? PortableBlit<Rgb32To16O1> : PortableBlit<Rgb32To16O0>,
                .to24 = red_low ? PortableBlit<Rgb32To24O1> : PortableBlit<Rgb32To24O0>,
                .to32 = red_low ? PortableBlit<Rgb32To32O1> : BlitCopy},
  };
}

}  // namespace

const BlitFamily kPortableBlitters[2] = {PortableFamily(false), PortableFamily(true)};
