// The x87 control word on Windows: inline assembly with mingw-w64 and clang,
// __asm with 32-bit MSVC. 64-bit MSVC has no inline assembly and its run-time
// calls do not reach the x87 precision field, and its code does no x87
// arithmetic, so there the word is left alone.
#include "console/fpu.h"
#include "console/fpu_x87.h"

#if TAVREL_X87_ASM
bool FpuControlAvailable() { return true; }
uint16_t FpuGetControlWord() { return X87GetControlWord(); }
void FpuSetControlWord(uint16_t word) { X87SetControlWord(word); }
#elif defined(_M_IX86)
bool FpuControlAvailable() { return true; }
uint16_t FpuGetControlWord() {
  uint16_t word;
  __asm fnstcw word
  return word;
}
void FpuSetControlWord(uint16_t word) { __asm fldcw word }
#else
bool FpuControlAvailable() { return false; }
uint16_t FpuGetControlWord() { return 0; }
void FpuSetControlWord(uint16_t) {}
#endif
