// What the processor's vector unit offers, asked once through CPUID.
#pragma once
#include <cstdint>

#if defined(__x86_64__) || defined(__i386__) || defined(_M_X64) || defined(_M_IX86)
#define TAVREL_X86 1
#else
#define TAVREL_X86 0
#endif

// Lets one function use a later instruction set than the file is built for, so
// the choice can be made at run time. MSVC needs no such marking.
#if TAVREL_X86 && (defined(__GNUC__) || defined(__clang__))
#define TAVREL_TARGET(isa) __attribute__((target(isa)))
#else
#define TAVREL_TARGET(isa)
#endif

struct CpuFeatures {
  bool mmx;
  bool sse2;
  bool ssse3;
  bool avx2;  // only when the operating system also saves the wide registers
  // AVX-512 foundation, byte/word and byte-permute instructions, likewise.
  bool avx512vbmi;
  // Enhanced REP MOVSB: the string copy moves whole cache lines, as fast as any
  // vector loop on large blocks, and the same code on every system.
  bool fast_string_copy;
};

// Detected on the first call; the same answer afterwards.
const CpuFeatures& DetectCpuFeatures();
