// The vector forms of the byte copy and byte fill that drawing uses for rows
// and spans: the count's odd 1, 2 and 4 bytes first, then whole 8-byte blocks,
// moved 64 or 16 bytes at a time where the block count allows. The copy runs
// forwards and loads each piece before storing it, so text scrolling may copy
// a page's rows onto earlier rows of the same page.
#include <cstring>

#include "gfx/blitters/blitter.h"
#include "gfx/blitters/cpu_features.h"

#if TAVREL_X86
#include <emmintrin.h>
#if defined(_MSC_VER)
#include <intrin.h>
#endif
#endif

namespace {

// Copies n bytes, n a multiple of 8.
void CopyBlocks(uint8_t* d, const uint8_t* s, size_t n) {
#if TAVREL_X86
  for (; n >= 64; n -= 64, d += 64, s += 64) {
    __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
    __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 16));
    __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 32));
    __m128i e = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 48));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), a);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 16), b);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 32), c);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 48), e);
  }
  for (; n >= 16; n -= 16, d += 16, s += 16)
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d),
                     _mm_loadu_si128(reinterpret_cast<const __m128i*>(s)));
  if (n) _mm_storel_epi64(reinterpret_cast<__m128i*>(d),
                          _mm_loadl_epi64(reinterpret_cast<const __m128i*>(s)));
#else
  std::memcpy(d, s, n);
#endif
}

// Stores n bytes of the 8-byte pattern, n a multiple of 8.
void FillBlocks(uint8_t* d, uint8_t value, size_t n) {
#if TAVREL_X86
  const __m128i v = _mm_set1_epi8(static_cast<char>(value));
  for (; n >= 64; n -= 64, d += 64) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), v);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 16), v);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 32), v);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 48), v);
  }
  for (; n >= 16; n -= 16, d += 16) _mm_storeu_si128(reinterpret_cast<__m128i*>(d), v);
  if (n) _mm_storel_epi64(reinterpret_cast<__m128i*>(d), v);
#else
  std::memset(d, value, n);
#endif
}

// Loads before it stores, so an overlapping destination below the source is fine.
template <typename T>
void MovePiece(uint8_t* d, const uint8_t* s) {
  T v;
  std::memcpy(&v, s, sizeof v);
  std::memcpy(d, &v, sizeof v);
}

}  // namespace

void* SimdByteCopy(void* dest, const void* src, size_t n) {
  uint8_t* d = static_cast<uint8_t*>(dest);
  const uint8_t* s = static_cast<const uint8_t*>(src);
  if (n & 1) *d++ = *s++;
  if (n & 2) { MovePiece<uint16_t>(d, s); d += 2; s += 2; }
  if (n & 4) { MovePiece<uint32_t>(d, s); d += 4; s += 4; }
  CopyBlocks(d, s, n & ~static_cast<size_t>(7));
  return dest;
}

void* SimdByteFill(void* dest, int value, size_t n) {
  uint8_t* d = static_cast<uint8_t*>(dest);
  const uint8_t b = static_cast<uint8_t>(value);
  if (n & 1) *d++ = b;
  if (n & 2) { std::memset(d, b, 2); d += 2; }
  if (n & 4) { std::memset(d, b, 4); d += 4; }
  FillBlocks(d, b, n & ~static_cast<size_t>(7));
  return dest;
}

// One string instruction: with enhanced REP MOVSB the processor moves whole
// cache lines, which matches the C libraries' best copies on blocks of a
// frame's size, and is the same code under every C library, where their own
// copies differ by half as much again (Wine's against glibc's).
void* StringByteCopy(void* dest, const void* src, size_t n) {
#if TAVREL_X86
  if (DetectCpuFeatures().fast_string_copy) {
#if defined(_MSC_VER)
    __movsb(static_cast<unsigned char*>(dest), static_cast<const unsigned char*>(src), n);
#else
    void* d = dest;
    __asm__ volatile("rep movsb" : "+D"(d), "+S"(src), "+c"(n) : : "memory");
#endif
    return dest;
  }
#endif
  return std::memcpy(dest, src, n);
}
