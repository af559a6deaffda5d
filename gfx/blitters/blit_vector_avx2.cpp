// Vector family conversions with AVX2, chosen at run time on processors that
// have it (and whose operating system saves the 256-bit registers): the 32-bit
// to 15/16-bit narrowing, sixteen pixels per step.
#include "gfx/blitters/blit_kernels.h"
#include "gfx/blitters/cpu_features.h"

#if TAVREL_X86
#include <immintrin.h>

#define AVX2 TAVREL_TARGET("avx2")

namespace blit_vector {
namespace {

AVX2 inline __m256i Load(const uint8_t* p) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}
AVX2 inline void Store(uint8_t* p, __m256i v) {
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
}

// As the SSE2 form: one multiply-add places red and blue, green is masked in,
// and the result is the 16-bit pixel shifted left by 5 (six-bit green) or 6.
template <bool kSixBitGreen, bool kRedLow>
AVX2 inline __m256i NarrowEight(__m256i c) {
  constexpr short kLow = kSixBitGreen ? 4 : 8, kHigh = 1 << 13;
  const __m256i factors = kRedLow ? _mm256_set1_epi32(kLow << 16 | kHigh)
                                  : _mm256_set1_epi32(kHigh << 16 | kLow);
  const __m256i rb = _mm256_madd_epi16(_mm256_and_si256(c, _mm256_set1_epi32(0x00F800F8)), factors);
  const __m256i g = _mm256_and_si256(c, _mm256_set1_epi32(kSixBitGreen ? 0x0000FC00 : 0x0000F800));
  return _mm256_srli_epi32(_mm256_or_si256(rb, g), kSixBitGreen ? 5 : 6);
}

template <bool kSixBitGreen, bool kRedLow>
AVX2 int32_t Rgb32To16Lanes(uint8_t* d, const uint8_t* s, int32_t w) {
  int32_t x = 0;
  for (; x + 16 <= w; x += 16, s += 64, d += 32) {
    const __m256i a = NarrowEight<kSixBitGreen, kRedLow>(Load(s));
    const __m256i b = NarrowEight<kSixBitGreen, kRedLow>(Load(s + 32));
    // The unsigned pack works within 128-bit halves; put the quarters in order.
    Store(d, _mm256_permute4x64_epi64(_mm256_packus_epi32(a, b), 0xD8));
  }
  return x;
}

template <bool kSixBitGreen, bool kRedLow>
void Rgb32To16Row(RowFn portable, uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  const int32_t done = Rgb32To16Lanes<kSixBitGreen, kRedLow>(d, s, w);
  if (done < w) portable(d + 2 * done, s + 4 * done, w - done, t);
}

}  // namespace

void Rgb32To15O0Avx2(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  Rgb32To16Row<false, false>(blit_portable::Rgb32To15O0, d, s, w, t);
}
void Rgb32To15O1Avx2(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  Rgb32To16Row<false, true>(blit_portable::Rgb32To15O1, d, s, w, t);
}
void Rgb32To16O0Avx2(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  Rgb32To16Row<true, false>(blit_portable::Rgb32To16O0, d, s, w, t);
}
void Rgb32To16O1Avx2(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  Rgb32To16Row<true, true>(blit_portable::Rgb32To16O1, d, s, w, t);
}

}  // namespace blit_vector
#endif  // TAVREL_X86
