// Palette-indexed rows with AVX-512's byte permutes, chosen at run time where
// the processor has them: each byte plane of the converted palette (256 bytes)
// sits in four registers, and 64 pixels look up one plane in three instructions.
#include "gfx/blitters/blit_kernels.h"
#include "gfx/blitters/cpu_features.h"

#if TAVREL_X86
#include <immintrin.h>

#define VBMI TAVREL_TARGET("avx512f,avx512bw,avx512vbmi")

// GCC 12's 512-bit lane shuffle starts from an undefined register, which its
// own flow analysis then reports as uninitialised.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

namespace blit_vector {
namespace {

// One byte plane of 256 entries in four registers.
struct Plane {
  __m512i q0, q1, q2, q3;
};

VBMI inline Plane LoadPlane(const uint8_t* p) {
  return {_mm512_loadu_si512(p), _mm512_loadu_si512(p + 64), _mm512_loadu_si512(p + 128),
          _mm512_loadu_si512(p + 192)};
}

// Entries 0-127 and 128-255 each through a two-register permute (index bits
// 0-6), then index bit 7 picks between them.
VBMI inline __m512i LookUp(const Plane& p, __m512i idx, __mmask64 upper) {
  const __m512i lo = _mm512_permutex2var_epi8(p.q0, idx, p.q1);
  const __m512i hi = _mm512_permutex2var_epi8(p.q2, idx, p.q3);
  return _mm512_mask_blend_epi8(upper, lo, hi);
}

template <int kDstBytes>
void Finish(RowFn portable, int32_t done, uint8_t* d, const uint8_t* s, int32_t w,
            const BlitTables& t) {
  if (done < w) portable(d + done * kDstBytes, s + done, w - done, t);
}

}  // namespace

VBMI void IdxPlanes16Vbmi(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  const Plane low = LoadPlane(t.planes[0]), high = LoadPlane(t.planes[1]);
  // Interleaving works within 128-bit quarters; these put the quarters in order.
  const __m512i first = _mm512_setr_epi64(0, 1, 8, 9, 2, 3, 10, 11);
  const __m512i second = _mm512_setr_epi64(4, 5, 12, 13, 6, 7, 14, 15);
  int32_t x = 0;
  for (; x + 64 <= w; x += 64, d += 128) {
    const __m512i idx = _mm512_loadu_si512(s + x);
    const __mmask64 upper = _mm512_movepi8_mask(idx);
    const __m512i l = LookUp(low, idx, upper), h = LookUp(high, idx, upper);
    const __m512i a = _mm512_unpacklo_epi8(l, h), b = _mm512_unpackhi_epi8(l, h);
    _mm512_storeu_si512(d, _mm512_permutex2var_epi64(a, first, b));
    _mm512_storeu_si512(d + 64, _mm512_permutex2var_epi64(a, second, b));
  }
  Finish<2>(IdxMapped16, x, d - 2 * x, s, w, t);
}

VBMI void IdxPlanes32Vbmi(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  const Plane p0 = LoadPlane(t.planes[0]), p1 = LoadPlane(t.planes[1]);
  const Plane p2 = LoadPlane(t.planes[2]), p3 = LoadPlane(t.planes[3]);
  int32_t x = 0;
  for (; x + 64 <= w; x += 64, d += 256) {
    const __m512i idx = _mm512_loadu_si512(s + x);
    const __mmask64 upper = _mm512_movepi8_mask(idx);
    const __m512i b0 = LookUp(p0, idx, upper), b1 = LookUp(p1, idx, upper);
    const __m512i b2 = LookUp(p2, idx, upper), b3 = LookUp(p3, idx, upper);
    // Bytes to pixels within each 128-bit quarter q: u0 holds pixels 16q to
    // 16q + 3, u1 the next four, and so on.
    const __m512i t0 = _mm512_unpacklo_epi8(b0, b1), t1 = _mm512_unpackhi_epi8(b0, b1);
    const __m512i t2 = _mm512_unpacklo_epi8(b2, b3), t3 = _mm512_unpackhi_epi8(b2, b3);
    const __m512i u0 = _mm512_unpacklo_epi16(t0, t2), u1 = _mm512_unpackhi_epi16(t0, t2);
    const __m512i u2 = _mm512_unpacklo_epi16(t1, t3), u3 = _mm512_unpackhi_epi16(t1, t3);
    // Transpose the 4x4 grid of quarters so each store gets u0..u3 of one quarter.
    const __m512i a = _mm512_shuffle_i64x2(u0, u1, 0x44), b = _mm512_shuffle_i64x2(u0, u1, 0xEE);
    const __m512i c = _mm512_shuffle_i64x2(u2, u3, 0x44), e = _mm512_shuffle_i64x2(u2, u3, 0xEE);
    _mm512_storeu_si512(d, _mm512_shuffle_i64x2(a, c, 0x88));
    _mm512_storeu_si512(d + 64, _mm512_shuffle_i64x2(a, c, 0xDD));
    _mm512_storeu_si512(d + 128, _mm512_shuffle_i64x2(b, e, 0x88));
    _mm512_storeu_si512(d + 192, _mm512_shuffle_i64x2(b, e, 0xDD));
  }
  Finish<4>(IdxMapped32, x, d - 4 * x, s, w, t);
}

}  // namespace blit_vector
#endif  // TAVREL_X86
