// The x87 control word read and written with fnstcw/fldcw, shared by the
// platform files for compilers that have GCC-style inline assembly.
#pragma once
#include <cstdint>

#if (defined(__GNUC__) || defined(__clang__)) && (defined(__i386__) || defined(__x86_64__))
#define TAVREL_X87_ASM 1
inline uint16_t X87GetControlWord() {
  uint16_t word = 0;
  __asm__ __volatile__("fnstcw %0" : "=m"(word));
  return word;
}
inline void X87SetControlWord(uint16_t word) { __asm__ __volatile__("fldcw %0" : : "m"(word)); }
#else
#define TAVREL_X87_ASM 0
#endif
