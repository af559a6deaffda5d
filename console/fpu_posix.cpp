// The x87 control word on the native build (GCC or clang on x86).
#include "console/fpu.h"
#include "console/fpu_x87.h"

#if TAVREL_X87_ASM
bool FpuControlAvailable() { return true; }
uint16_t FpuGetControlWord() { return X87GetControlWord(); }
void FpuSetControlWord(uint16_t word) { X87SetControlWord(word); }
#else
// Other processors have no x87 unit; there is nothing to set.
bool FpuControlAvailable() { return false; }
uint16_t FpuGetControlWord() { return 0; }
void FpuSetControlWord(uint16_t) {}
#endif
