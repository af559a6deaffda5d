// Access to the x87 control word, kept apart because it takes platform- and
// compiler-specific code.
#pragma once
#include <cstdint>

// The fields of the x87 control word that the runtime sets.
constexpr uint16_t kFpuPrecisionMask = 0x0300;
constexpr uint16_t kFpuPrecision64 = 0x0300;  // 64-bit mantissa (extended)
constexpr uint16_t kFpuRoundingMask = 0x0C00;
constexpr uint16_t kFpuRoundNearest = 0x0000;

// False where the compiler gives no access to the x87 unit; the getter then
// returns 0 and the setter does nothing.
bool FpuControlAvailable();
uint16_t FpuGetControlWord();
void FpuSetControlWord(uint16_t word);

// Extended precision and round-to-nearest; exception masks left as they are.
void FpuSetExtendedNearest();
