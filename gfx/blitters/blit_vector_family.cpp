// The vector family's table, one per instruction-set level; the best one the
// processor supports is taken. Builds for other processors use the portable
// family in its place.
#include "gfx/blitters/blit_kernels.h"
#include "gfx/blitters/cpu_features.h"

#if TAVREL_X86
namespace {
namespace bp = blit_portable;
namespace bv = blit_vector;

// The 24-bit targets differ by level: SSSE3 packs with a byte shuffle, plain
// SSE2 keeps the portable forms.
struct Targets24 {
  Blitter rgb16;
  Blitter rgb32[2];
};

constexpr BlitFamily VectorFamily(bool red_low, const Targets24& to24) {
  return {
      .indexed = {.to8 = BlitCopy,
                  .to15 = red_low ? VectorBlit<bv::IdxMapped16, bv::PrepareMapped<bp::Idx15O1>>
                                  : VectorBlit<bv::IdxMapped16, bv::PrepareMapped<bp::Idx15O0>>,
                  .to16 = red_low ? VectorBlit<bv::IdxMapped16, bv::PrepareMapped<bp::Idx16O1>>
                                  : VectorBlit<bv::IdxMapped16, bv::PrepareMapped<bp::Idx16O0>>,
                  .to24 = red_low ? VectorBlit<bv::IdxMapped24, bv::PrepareMapped<bp::Idx32O1>>
                                  : VectorBlit<bv::IdxMapped24, bv::PrepareMapped<bp::Idx32O0>>,
                  .to32 = red_low ? VectorBlit<bv::IdxMapped32, bv::PrepareMapped<bp::Idx32O1>>
                                  : VectorBlit<bv::IdxMapped32, bv::PrepareMapped<bp::Idx32O0>>},
      .rgb16 = {.to8 = nullptr,
                .to15 = red_low ? VectorBlit<bv::Rgb16To15O1> : VectorBlit<bv::Rgb16To15O0>,
                .to16 = red_low ? VectorBlit<bv::Rgb16To16O1> : BlitCopy,
                .to24 = to24.rgb16,
                .to32 = VectorBlit<bv::Rgb16To32>},
      .rgb32 = {.to8 = nullptr,
                .to15 = red_low ? VectorBlit<bv::Rgb32To15O1> : VectorBlit<bv::Rgb32To15O0>,
                .to16 = red_low ? VectorBlit<bv::Rgb32To16O1> : VectorBlit<bv::Rgb32To16O0>,
                .to24 = to24.rgb32[red_low ? 1 : 0],
                .to32 = red_low ? VectorBlit<bv::Rgb32To32O1> : BlitCopy},
  };
}

constexpr Targets24 kSse2To24 = {
    .rgb16 = VectorBlit<bp::Rgb16To24>,
    .rgb32 = {VectorBlit<bp::Rgb32To24O0>, VectorBlit<bp::Rgb32To24O1>}};
constexpr Targets24 kSsse3To24 = {
    .rgb16 = VectorBlit<bv::Rgb16To24Ssse3>,
    .rgb32 = {VectorBlit<bv::Rgb32To24O0Ssse3>, VectorBlit<bv::Rgb32To24O1Ssse3>}};

const BlitFamily kSse2Blitters[2] = {VectorFamily(false, kSse2To24), VectorFamily(true, kSse2To24)};
const BlitFamily kSsse3Blitters[2] = {VectorFamily(false, kSsse3To24), VectorFamily(true, kSsse3To24)};

// AVX2 takes over the 32-bit narrowing.
constexpr BlitFamily Avx2Family(bool red_low) {
  BlitFamily f = VectorFamily(red_low, kSsse3To24);
  f.rgb32.to15 = red_low ? VectorBlit<bv::Rgb32To15O1Avx2> : VectorBlit<bv::Rgb32To15O0Avx2>;
  f.rgb32.to16 = red_low ? VectorBlit<bv::Rgb32To16O1Avx2> : VectorBlit<bv::Rgb32To16O0Avx2>;
  return f;
}
const BlitFamily kAvx2Blitters[2] = {Avx2Family(false), Avx2Family(true)};

// AVX-512 byte permutes take over the palette lookups.
constexpr BlitFamily VbmiFamily(bool red_low) {
  BlitFamily f = Avx2Family(red_low);
  f.indexed.to15 = red_low ? VectorBlit<bv::IdxPlanes16Vbmi, bv::PrepareMappedPlanes<bp::Idx15O1, 2>>
                           : VectorBlit<bv::IdxPlanes16Vbmi, bv::PrepareMappedPlanes<bp::Idx15O0, 2>>;
  f.indexed.to16 = red_low ? VectorBlit<bv::IdxPlanes16Vbmi, bv::PrepareMappedPlanes<bp::Idx16O1, 2>>
                           : VectorBlit<bv::IdxPlanes16Vbmi, bv::PrepareMappedPlanes<bp::Idx16O0, 2>>;
  f.indexed.to24 = red_low ? VectorBlit<bv::IdxPlanes24Vbmi, bv::PrepareMappedPlanes<bp::Idx32O1, 4>>
                           : VectorBlit<bv::IdxPlanes24Vbmi, bv::PrepareMappedPlanes<bp::Idx32O0, 4>>;
  f.indexed.to32 = red_low ? VectorBlit<bv::IdxPlanes32Vbmi, bv::PrepareMappedPlanes<bp::Idx32O1, 4>>
                           : VectorBlit<bv::IdxPlanes32Vbmi, bv::PrepareMappedPlanes<bp::Idx32O0, 4>>;
  return f;
}
const BlitFamily kVbmiBlitters[2] = {VbmiFamily(false), VbmiFamily(true)};

// mingw-w64's GCC cannot align the stack beyond 16 bytes, so a 32- or 64-byte
// register spilled by a wide kernel would fault on an aligned move. The Windows
// build has the assembler turn every aligned vector move into an unaligned one
// (TAVREL_UNALIGNED_VECTOR_MOVES); without that the 16-byte levels serve.
#if defined(__MINGW32__) && !defined(__clang__) && !TAVREL_UNALIGNED_VECTOR_MOVES
constexpr bool kWideVectorsSafe = false;
#else
constexpr bool kWideVectorsSafe = true;
#endif

const BlitFamilyLevel* Levels() {
  const CpuFeatures& cpu = DetectCpuFeatures();
  static const BlitFamilyLevel levels[] = {
      {"avx512vbmi", kVbmiBlitters, kWideVectorsSafe && cpu.avx512vbmi && cpu.avx2},
      {"avx2", kAvx2Blitters, kWideVectorsSafe && cpu.avx2},
      {"ssse3", kSsse3Blitters, cpu.ssse3},
      {"sse2", kSse2Blitters, cpu.sse2},
  };
  return levels;
}
constexpr int32_t kLevelCount = 4;

}  // namespace

int32_t VectorFamilyLevels(const BlitFamilyLevel** levels) {
  *levels = Levels();
  return kLevelCount;
}

const BlitFamily* VectorBlitters() {
  const BlitFamilyLevel* levels = Levels();
  for (int32_t i = 0; i < kLevelCount; ++i)
    if (levels[i].supported) return levels[i].family;
  return kPortableBlitters;
}
#else
int32_t VectorFamilyLevels(const BlitFamilyLevel** levels) {
  *levels = nullptr;
  return 0;
}
const BlitFamily* VectorBlitters() { return kPortableBlitters; }
#endif
