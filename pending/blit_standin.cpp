// Temporary stand-in for the blit area's processor test and vector memory routines.
#include <cstring>

#include "gfx/blitters/blitter.h"

int32_t CpuHasMmx() { return 0; }
void* SimdByteCopy(void* dest, const void* src, size_t n) { return std::memmove(dest, src, n); }
void* SimdByteFill(void* dest, int value, size_t n) { return std::memset(dest, value, n); }
