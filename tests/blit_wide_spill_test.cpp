// Wide vector registers on the stack: a 32- or 64-byte value live across a call
// is spilled to the stack, which mingw-w64 aligns only to 16 bytes. Run at four
// stack offsets 16 bytes apart, an aligned spill faults at one of them; the
// Windows build's unaligned moves must make every offset work. Also: the wide
// blitter levels are enabled wherever the processor has them.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "gfx/blitters/blit_kernels.h"
#include "gfx/blitters/cpu_features.h"

#if TAVREL_X86 && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#if defined(_WIN32)
#include <malloc.h>
#else
#include <alloca.h>
#endif

namespace {

// Called through a pointer the compiler cannot see through, so it must assume
// the calling convention's worst: every wide register's upper part is lost.
int32_t AddOne(int32_t v) { return v + 1; }
int32_t (*volatile g_clobber)(int32_t) = AddOne;

__attribute__((noinline)) TAVREL_TARGET("avx2") int32_t SpillYmm(const int32_t* in) {
  const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in));
  const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + 8));
  const __m256i product = _mm256_mullo_epi32(a, b);  // live across the call
  const int32_t k = g_clobber(in[0]);
  const __m256i sum = _mm256_add_epi32(product, _mm256_set1_epi32(k));
  alignas(32) int32_t out[8];
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), sum);
  return out[0] + out[7];
}

__attribute__((noinline)) TAVREL_TARGET("avx512f,avx512bw") int32_t SpillZmm(const int32_t* in) {
  const __m512i a = _mm512_loadu_si512(in);
  const __m512i b = _mm512_loadu_si512(in + 16);
  const __m512i product = _mm512_mullo_epi32(a, b);  // live across the call
  const int32_t k = g_clobber(in[0]);
  return _mm512_reduce_add_epi32(_mm512_add_epi32(product, _mm512_set1_epi32(k)));
}

// Calls the kernel with the stack moved down by offset bytes.
int32_t AtStackOffset(int32_t (*kernel)(const int32_t*), const int32_t* in, size_t offset) {
  volatile char* pad = static_cast<volatile char*>(alloca(offset + 1));
  pad[0] = 0;
  return kernel(in) + pad[0];
}

struct SpillInput {
  int32_t values[32];
  SpillInput() {
    for (int32_t i = 0; i < 32; ++i) values[i] = i + 1;
  }
};

TEST(WideRegisters, YmmSpilledAcrossACallSurvivesEveryStackOffset) {
  if (!DetectCpuFeatures().avx2) GTEST_SKIP() << "no AVX2 on this processor";
  const SpillInput in;
  // lanes 0 and 7: 1 * 9 + 2 and 8 * 16 + 2
  for (size_t offset : {0u, 16u, 32u, 48u}) {
    EXPECT_EQ(AtStackOffset(SpillYmm, in.values, offset), 11 + 130) << offset;
  }
}

TEST(WideRegisters, ZmmSpilledAcrossACallSurvivesEveryStackOffset) {
  if (!DetectCpuFeatures().avx512vbmi) GTEST_SKIP() << "no AVX-512 on this processor";
  const SpillInput in;
  int32_t want = 0;
  for (int32_t i = 0; i < 16; ++i) want += in.values[i] * in.values[i + 16] + 2;
  for (size_t offset : {0u, 16u, 32u, 48u}) {
    EXPECT_EQ(AtStackOffset(SpillZmm, in.values, offset), want) << offset;
  }
}

// The levels the processor has are the levels the blitters use: a build that
// left the wide ones out (as the Windows build once had to) fails here.
TEST(WideRegisters, EveryLevelTheProcessorHasIsEnabled) {
  const CpuFeatures& cpu = DetectCpuFeatures();
  const BlitFamilyLevel* levels;
  const int32_t count = VectorFamilyLevels(&levels);
  ASSERT_GE(count, 2);
  for (int32_t i = 0; i < count; ++i) {
    const std::string name = levels[i].name;
    if (name == "avx512vbmi") {
      EXPECT_EQ(levels[i].supported, cpu.avx512vbmi && cpu.avx2);
    } else if (name == "avx2") {
      EXPECT_EQ(levels[i].supported, cpu.avx2);
    }
  }
}

}  // namespace
#endif
