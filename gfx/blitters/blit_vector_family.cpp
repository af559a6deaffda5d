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

}  // namespace

const BlitFamily* VectorBlitters() {
  const CpuFeatures& cpu = DetectCpuFeatures();
  if (cpu.ssse3) return kSsse3Blitters;
  if (cpu.sse2) return kSse2Blitters;
  return kPortableBlitters;
}
#else
const BlitFamily* VectorBlitters() { return kPortableBlitters; }
#endif
