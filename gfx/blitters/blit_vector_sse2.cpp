// Vector family conversions of 16-bit and 32-bit rows with SSE2 (every x86-64
// processor has it), and the 24-bit packing with SSSE3's byte shuffle, which
// the family table only offers when the processor has it. Each kernel converts
// whole groups of pixels and leaves a row's last few to the portable kernel.
#include "gfx/blitters/blit_kernels.h"
#include "gfx/blitters/cpu_features.h"

#if TAVREL_X86
#include <emmintrin.h>
#include <tmmintrin.h>

namespace blit_vector {
namespace {

__m128i Load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
void Store(uint8_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
__m128i Mask16(int v) { return _mm_set1_epi16(static_cast<short>(v)); }
__m128i Mask32(int v) { return _mm_set1_epi32(v); }

// Eight 16-bit pixels at a time, in 16-bit lanes.
template <__m128i (*Convert)(__m128i)>
int32_t Rgb16Lanes(uint8_t* d, const uint8_t* s, int32_t w) {
  int32_t x = 0;
  for (; x + 16 <= w; x += 16, s += 32, d += 32) {
    Store(d, Convert(Load(s)));
    Store(d + 16, Convert(Load(s + 16)));
  }
  for (; x + 8 <= w; x += 8, s += 16, d += 16) Store(d, Convert(Load(s)));
  return x;
}
__m128i To15O0(__m128i p) {
  return _mm_or_si128(_mm_and_si128(p, Mask16(0x001F)), _mm_and_si128(_mm_srli_epi16(p, 1), Mask16(0x7FE0)));
}
__m128i To15O1(__m128i p) {
  const __m128i b = _mm_slli_epi16(_mm_and_si128(p, Mask16(0x001F)), 10);
  const __m128i g = _mm_and_si128(_mm_srli_epi16(p, 1), Mask16(0x03E0));
  return _mm_or_si128(_mm_or_si128(b, g), _mm_srli_epi16(p, 11));
}
__m128i To16O1(__m128i p) {
  const __m128i g = _mm_and_si128(p, Mask16(0x07E0));
  return _mm_or_si128(_mm_or_si128(_mm_slli_epi16(p, 11), g), _mm_srli_epi16(p, 11));
}

// Eight 16-bit pixels widened to two registers of four 32-bit pixels, with the
// channel widening of the lookup tables (zero low bits).
template <bool kRedLow>
void Widen16(__m128i p, __m128i* lo, __m128i* hi) {
  const __m128i b = _mm_and_si128(_mm_slli_epi16(p, 3), Mask16(0x00F8));
  const __m128i g = _mm_and_si128(_mm_slli_epi16(p, 5), Mask16(0xFC00));
  const __m128i r = _mm_and_si128(_mm_srli_epi16(p, 8), Mask16(0x00F8));
  const __m128i low_half = _mm_or_si128(kRedLow ? r : b, g);
  const __m128i high_half = kRedLow ? b : r;
  *lo = _mm_unpacklo_epi16(low_half, high_half);
  *hi = _mm_unpackhi_epi16(low_half, high_half);
}

template <bool kRedLow>
int32_t Rgb16To32Lanes(uint8_t* d, const uint8_t* s, int32_t w) {
  int32_t x = 0;
  for (; x + 8 <= w; x += 8, s += 16, d += 32) {
    __m128i lo, hi;
    Widen16<kRedLow>(Load(s), &lo, &hi);
    Store(d, lo);
    Store(d + 16, hi);
  }
  return x;
}

// Eight 32-bit pixels narrowed to 16 bits. One multiply-add moves the red and
// blue bytes' top five bits into place at once: the low 16-bit lane of each
// pixel holds blue, the high one red, and each is scaled by its own factor;
// green is masked in beside them. The result is the 16-bit pixel shifted left
// by kNarrowShift.
template <bool kSixBitGreen>
constexpr int kNarrowShift = kSixBitGreen ? 5 : 6;

template <bool kSixBitGreen, bool kRedLow>
__m128i NarrowFour(__m128i c) {
  constexpr short kLowFactor = 1 << (kNarrowShift<kSixBitGreen> - 3);  // x << 3 becomes x << shift
  constexpr short kHighFactor = 1 << 13;              // x << 3 becomes x << 16
  const __m128i factors = kRedLow ? _mm_setr_epi16(kHighFactor, kLowFactor, kHighFactor, kLowFactor,
                                                   kHighFactor, kLowFactor, kHighFactor, kLowFactor)
                                  : _mm_setr_epi16(kLowFactor, kHighFactor, kLowFactor, kHighFactor,
                                                   kLowFactor, kHighFactor, kLowFactor, kHighFactor);
  const __m128i rb = _mm_madd_epi16(_mm_and_si128(c, Mask32(0x00F800F8)), factors);
  const __m128i g = _mm_and_si128(c, Mask32(kSixBitGreen ? 0x0000FC00 : 0x0000F800));
  return _mm_or_si128(rb, g);
}

template <bool kSixBitGreen, bool kRedLow>
int32_t Rgb32To16Lanes(uint8_t* d, const uint8_t* s, int32_t w) {
  int32_t x = 0;
  for (; x + 8 <= w; x += 8, s += 32, d += 16) {
    const __m128i a = NarrowFour<kSixBitGreen, kRedLow>(Load(s));
    const __m128i b = NarrowFour<kSixBitGreen, kRedLow>(Load(s + 16));
    if (kSixBitGreen) {
      // Bit 15 may be set: move each pixel to the top half and sign-extend it,
      // so that the signed pack keeps it exactly.
      constexpr int kUp = 16 - kNarrowShift<true>;
      Store(d, _mm_packs_epi32(_mm_srai_epi32(_mm_slli_epi32(a, kUp), 16),
                               _mm_srai_epi32(_mm_slli_epi32(b, kUp), 16)));
    } else {
      constexpr int kDown = kNarrowShift<false>;
      Store(d, _mm_packs_epi32(_mm_srli_epi32(a, kDown), _mm_srli_epi32(b, kDown)));
    }
  }
  return x;
}

// Red and blue bytes exchanged, the fourth byte cleared.
__m128i SwapRedBlue(__m128i c) {
  const __m128i g = _mm_and_si128(c, Mask32(0x0000FF00));
  const __m128i b = _mm_slli_epi32(_mm_and_si128(c, Mask32(0x000000FF)), 16);
  const __m128i r = _mm_and_si128(_mm_srli_epi32(c, 16), Mask32(0x000000FF));
  return _mm_or_si128(_mm_or_si128(g, b), r);
}

int32_t SwapLanes(uint8_t* d, const uint8_t* s, int32_t w) {
  int32_t x = 0;
  for (; x + 8 <= w; x += 8, s += 32, d += 32) {
    Store(d, SwapRedBlue(Load(s)));
    Store(d + 16, SwapRedBlue(Load(s + 16)));
  }
  return x;
}

// Four registers of four 32-bit pixels, each already shuffled to 12 bytes in its
// low part, stored as 48 consecutive bytes.
TAVREL_TARGET("ssse3")
void Store48(uint8_t* d, __m128i a, __m128i b, __m128i c, __m128i e) {
  Store(d, _mm_or_si128(a, _mm_slli_si128(b, 12)));
  Store(d + 16, _mm_or_si128(_mm_srli_si128(b, 4), _mm_slli_si128(c, 8)));
  Store(d + 32, _mm_or_si128(_mm_srli_si128(c, 8), _mm_slli_si128(e, 4)));
}

// Byte shuffles that drop the fourth byte of each pixel, keeping or reversing
// the three colour bytes.
TAVREL_TARGET("ssse3")
__m128i Pack24Keep() { return _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1); }
TAVREL_TARGET("ssse3")
__m128i Pack24Swap() { return _mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1); }

template <bool kSwap>
TAVREL_TARGET("ssse3")
int32_t Rgb32To24Lanes(uint8_t* d, const uint8_t* s, int32_t w) {
  const __m128i m = kSwap ? Pack24Swap() : Pack24Keep();
  int32_t x = 0;
  for (; x + 16 <= w; x += 16, s += 64, d += 48)
    Store48(d, _mm_shuffle_epi8(Load(s), m), _mm_shuffle_epi8(Load(s + 16), m),
            _mm_shuffle_epi8(Load(s + 32), m), _mm_shuffle_epi8(Load(s + 48), m));
  return x;
}

template <bool kRedLow>
TAVREL_TARGET("ssse3")
int32_t Rgb16To24Lanes(uint8_t* d, const uint8_t* s, int32_t w) {
  const __m128i m = Pack24Keep();
  int32_t x = 0;
  for (; x + 16 <= w; x += 16, s += 32, d += 48) {
    __m128i a, b, c, e;
    Widen16<kRedLow>(Load(s), &a, &b);
    Widen16<kRedLow>(Load(s + 16), &c, &e);
    Store48(d, _mm_shuffle_epi8(a, m), _mm_shuffle_epi8(b, m), _mm_shuffle_epi8(c, m),
            _mm_shuffle_epi8(e, m));
  }
  return x;
}

// Runs the vector part, then the portable kernel on what is left of the row.
template <int kSrcBytes, int kDstBytes>
void Finish(RowFn portable, int32_t done, uint8_t* d, const uint8_t* s, int32_t w,
            const BlitTables& t) {
  if (done < w) portable(d + done * kDstBytes, s + done * kSrcBytes, w - done, t);
}

}  // namespace

int32_t LookupOrder(const uint32_t* lookup) {
  if (!lookup) return -1;
  if (lookup[1] == 0x8 && lookup[256 + 8] == 0x80000) return 0;
  if (lookup[1] == 0x80000 && lookup[256 + 8] == 0x8) return 1;
  return -1;
}

void Rgb16To15O0(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  Finish<2, 2>(blit_portable::Rgb16To15O0, Rgb16Lanes<To15O0>(d, s, w), d, s, w, t);
}
void Rgb16To15O1(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  Finish<2, 2>(blit_portable::Rgb16To15O1, Rgb16Lanes<To15O1>(d, s, w), d, s, w, t);
}
void Rgb16To16O1(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  Finish<2, 2>(blit_portable::Rgb16To16O1, Rgb16Lanes<To16O1>(d, s, w), d, s, w, t);
}

// The lookup's order decides, as it does for the portable kernels.
void Rgb16To32(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  const int32_t order = LookupOrder(t.lookup);
  const int32_t done = order == 0 ? Rgb16To32Lanes<false>(d, s, w)
                       : order == 1 ? Rgb16To32Lanes<true>(d, s, w) : 0;
  Finish<2, 4>(blit_portable::Rgb16To32, done, d, s, w, t);
}
void Rgb16To24Ssse3(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  const int32_t order = LookupOrder(t.lookup);
  const int32_t done = order == 0 ? Rgb16To24Lanes<false>(d, s, w)
                       : order == 1 ? Rgb16To24Lanes<true>(d, s, w) : 0;
  Finish<2, 3>(blit_portable::Rgb16To24, done, d, s, w, t);
}

void Rgb32To15O0(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  Finish<4, 2>(blit_portable::Rgb32To15O0, Rgb32To16Lanes<false, false>(d, s, w), d, s, w, t);
}
void Rgb32To15O1(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  Finish<4, 2>(blit_portable::Rgb32To15O1, Rgb32To16Lanes<false, true>(d, s, w), d, s, w, t);
}
void Rgb32To16O0(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  Finish<4, 2>(blit_portable::Rgb32To16O0, Rgb32To16Lanes<true, false>(d, s, w), d, s, w, t);
}
void Rgb32To16O1(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  Finish<4, 2>(blit_portable::Rgb32To16O1, Rgb32To16Lanes<true, true>(d, s, w), d, s, w, t);
}
void Rgb32To24O0Ssse3(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  Finish<4, 3>(blit_portable::Rgb32To24O0, Rgb32To24Lanes<false>(d, s, w), d, s, w, t);
}
void Rgb32To24O1Ssse3(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  Finish<4, 3>(blit_portable::Rgb32To24O1, Rgb32To24Lanes<true>(d, s, w), d, s, w, t);
}
void Rgb32To32O1(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  Finish<4, 4>(blit_portable::Rgb32To32O1, SwapLanes(d, s, w), d, s, w, t);
}

}  // namespace blit_vector
#endif  // TAVREL_X86
