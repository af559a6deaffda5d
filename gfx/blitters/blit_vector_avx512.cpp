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

namespace {

// The four byte planes of 32-bit entries.
struct Planes4 {
  Plane p0, p1, p2, p3;
};

// 64 pixels looked up as 32-bit words, in pixel order across out[0..3].
VBMI inline void LookUp64(const Planes4& p, const uint8_t* s, __m512i out[4]) {
  const __m512i idx = _mm512_loadu_si512(s);
  const __mmask64 upper = _mm512_movepi8_mask(idx);
  const __m512i b0 = LookUp(p.p0, idx, upper), b1 = LookUp(p.p1, idx, upper);
  const __m512i b2 = LookUp(p.p2, idx, upper), b3 = LookUp(p.p3, idx, upper);
  // Bytes to pixels within each 128-bit quarter q: u0 holds pixels 16q to
  // 16q + 3, u1 the next four, and so on.
  const __m512i t0 = _mm512_unpacklo_epi8(b0, b1), t1 = _mm512_unpackhi_epi8(b0, b1);
  const __m512i t2 = _mm512_unpacklo_epi8(b2, b3), t3 = _mm512_unpackhi_epi8(b2, b3);
  const __m512i u0 = _mm512_unpacklo_epi16(t0, t2), u1 = _mm512_unpackhi_epi16(t0, t2);
  const __m512i u2 = _mm512_unpacklo_epi16(t1, t3), u3 = _mm512_unpackhi_epi16(t1, t3);
  // Transpose the 4x4 grid of quarters so each output holds u0..u3 of one quarter.
  const __m512i a = _mm512_shuffle_i64x2(u0, u1, 0x44), b = _mm512_shuffle_i64x2(u0, u1, 0xEE);
  const __m512i c = _mm512_shuffle_i64x2(u2, u3, 0x44), e = _mm512_shuffle_i64x2(u2, u3, 0xEE);
  out[0] = _mm512_shuffle_i64x2(a, c, 0x88);
  out[1] = _mm512_shuffle_i64x2(a, c, 0xDD);
  out[2] = _mm512_shuffle_i64x2(b, e, 0x88);
  out[3] = _mm512_shuffle_i64x2(b, e, 0xDD);
}

VBMI inline Planes4 LoadPlanes4(const BlitTables& t) {
  return {LoadPlane(t.planes[0]), LoadPlane(t.planes[1]), LoadPlane(t.planes[2]),
          LoadPlane(t.planes[3])};
}

}  // namespace

VBMI void IdxPlanes32Vbmi(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  const Planes4 planes = LoadPlanes4(t);
  int32_t x = 0;
  for (; x + 64 <= w; x += 64, d += 256) {
    __m512i out[4];
    LookUp64(planes, s + x, out);
    for (int i = 0; i < 4; ++i) _mm512_storeu_si512(d + 64 * i, out[i]);
  }
  Finish<4>(IdxMapped32, x, d - 4 * x, s, w, t);
}

// The 32-bit words lose their fourth bytes in one byte permute per 16 pixels,
// and each 48 bytes go out through a masked store.
VBMI void IdxPlanes24Vbmi(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  const Planes4 planes = LoadPlanes4(t);
  const __m512i drop_fourth = _mm512_set_epi8(
      0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 62, 61, 60, 58, 57, 56, 54, 53, 52, 50, 49,
      48, 46, 45, 44, 42, 41, 40, 38, 37, 36, 34, 33, 32, 30, 29, 28, 26, 25, 24, 22, 21, 20, 18,
      17, 16, 14, 13, 12, 10, 9, 8, 6, 5, 4, 2, 1, 0);
  const __mmask64 first48 = 0xFFFFFFFFFFFFull;
  int32_t x = 0;
  for (; x + 64 <= w; x += 64, d += 192) {
    __m512i out[4];
    LookUp64(planes, s + x, out);
    for (int i = 0; i < 4; ++i)
      _mm512_mask_storeu_epi8(d + 48 * i, first48, _mm512_permutexvar_epi8(drop_fourth, out[i]));
  }
  Finish<3>(IdxMapped24, x, d - 3 * x, s, w, t);
}

}  // namespace blit_vector
#endif  // TAVREL_X86
