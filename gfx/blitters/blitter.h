// Pixel conversion from the framebuffer's format into a display surface's.
#pragma once
#include <cstddef>
#include <cstdint>

// Converts every dirty framebuffer row of the visible page into the destination.
using Blitter = void (*)(uint8_t* dest, int32_t dest_pitch);

// dest_depth 8, 15, 16, 24 or 32; rgb_order 0 = red in the high bits. Null when
// no conversion exists, or when no screen is open. Rebuilds the 16-bit lookup
// tables on every call, so 16-bit to 24/32-bit blitters follow the latest call's
// order. The vector family is taken when the screen's state_flags carry
// kStateMmxAvailable and rows are not repeated.
Blitter SelectBlitter(int32_t dest_depth, int32_t rgb_order);

// 1 when the processor has MMX.
int32_t CpuHasMmx();

// The vector forms of PixelOps' byte_copy and byte_fill; same results as memcpy
// and memset. The copy runs forwards, so a destination below an overlapping
// source (text scrolling) is fine.
void* SimdByteCopy(void* dest, const void* src, size_t n);
void* SimdByteFill(void* dest, int value, size_t n);
// A copy of n bytes between blocks that do not overlap, with the processor's
// string copy where it is fast (see CpuFeatures), else memcpy.
void* StringByteCopy(void* dest, const void* src, size_t n);
