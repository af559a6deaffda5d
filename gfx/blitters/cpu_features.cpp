// Processor feature detection through CPUID: MMX for the pixel routines'
// choice, and the later vector sets the conversions pick at run time.
#include "gfx/blitters/cpu_features.h"

#include "gfx/blitters/blitter.h"

#if TAVREL_X86
#if defined(_MSC_VER)
#include <intrin.h>
#else
#include <cpuid.h>
#endif
#endif

namespace {

#if TAVREL_X86
struct CpuidRegs {
  uint32_t eax, ebx, ecx, edx;
};

// False when the processor has no CPUID or not this leaf. On 32-bit x86 GCC's
// __get_cpuid_max first tries to toggle the EFLAGS ID bit (bit 21), which is how
// a processor without CPUID shows itself; every x86-64 processor has CPUID.
bool Cpuid(uint32_t leaf, uint32_t subleaf, CpuidRegs* r) {
#if defined(_MSC_VER)
  int regs[4];
  __cpuid(regs, 0);
  if (static_cast<uint32_t>(regs[0]) < leaf) return false;
  __cpuidex(regs, static_cast<int>(leaf), static_cast<int>(subleaf));
  *r = {static_cast<uint32_t>(regs[0]), static_cast<uint32_t>(regs[1]),
        static_cast<uint32_t>(regs[2]), static_cast<uint32_t>(regs[3])};
  return true;
#else
  if (static_cast<uint32_t>(__get_cpuid_max(0, nullptr)) < leaf) return false;
  __cpuid_count(leaf, subleaf, r->eax, r->ebx, r->ecx, r->edx);
  return true;
#endif
}

// The XCR0 register: which register states the operating system saves.
uint64_t ReadXcr0() {
#if defined(_MSC_VER)
  return _xgetbv(0);
#else
  uint32_t lo, hi;
  __asm__ volatile("xgetbv" : "=a"(lo), "=d"(hi) : "c"(0));
  return (static_cast<uint64_t>(hi) << 32) | lo;
#endif
}

CpuFeatures Probe() {
  CpuFeatures f = {};
  CpuidRegs r1;
  if (!Cpuid(1, 0, &r1)) return f;
  f.mmx = (r1.edx >> 23) & 1;
  f.sse2 = (r1.edx >> 26) & 1;
  f.ssse3 = (r1.ecx >> 9) & 1;
  const bool osxsave = (r1.ecx >> 27) & 1;
  const bool avx = (r1.ecx >> 28) & 1;
  CpuidRegs r7;
  const bool leaf7 = Cpuid(7, 0, &r7);
  f.fast_string_copy = leaf7 && ((r7.ebx >> 9) & 1);
  if (osxsave && avx && leaf7) {
    const uint64_t xcr0 = ReadXcr0();
    const bool ymm_saved = (xcr0 & 0x6) == 0x6;     // SSE and AVX state
    const bool zmm_saved = (xcr0 & 0xE6) == 0xE6;   // and the opmask and 512-bit state
    f.avx2 = ymm_saved && ((r7.ebx >> 5) & 1);
    const bool avx512 = ((r7.ebx >> 16) & 1) && ((r7.ebx >> 30) & 1);  // F and BW
    f.avx512vbmi = zmm_saved && avx512 && ((r7.ecx >> 1) & 1);
  }
  return f;
}
#else
CpuFeatures Probe() { return {}; }
#endif

}  // namespace

const CpuFeatures& DetectCpuFeatures() {
  static const CpuFeatures features = Probe();
  return features;
}

int32_t CpuHasMmx() { return DetectCpuFeatures().mmx ? 1 : 0; }
