// The pixel primitives every drawing operation writes through, chosen once per
// screen set-up for the depth and the processor, so that no drawing routine has to
// test the depth per pixel.
#include <cstddef>
#include <cstring>

#include "gfx/blitters/blitter.h"
#include "gfx/screen.h"

PixelOps g_pixel_ops;

namespace {

// Text scrolling copies rows onto earlier rows of the same page, so the plain
// copy must tolerate overlapping areas.
void* PlainByteCopy(void* dst, const void* src, size_t n) { return std::memmove(dst, src, n); }
void* PlainByteFill(void* dst, int value, size_t n) { return std::memset(dst, value, n); }

uint8_t* PixelAddress(int32_t x, int32_t y, int32_t unit) {
  return g_screen->line_table[y] + static_cast<ptrdiff_t>(x) * unit;
}

// Depths 1 to 8: one byte per pixel.
void PutPixel8(int32_t x, int32_t y, uint32_t value) {
  *PixelAddress(x, y, 1) = static_cast<uint8_t>(value);
}
uint32_t GetPixel8(int32_t x, int32_t y) { return *PixelAddress(x, y, 1); }
void PixelCopy8(void* dst, const void* src, int32_t n) {
  g_pixel_ops.byte_copy(dst, src, static_cast<size_t>(n));
}
void PixelFill8(void* dst, uint32_t value, int32_t n) {
  g_pixel_ops.byte_fill(dst, static_cast<int>(value & 0xFF), static_cast<size_t>(n));
}

// Depth 16: 16-bit units. Units are stored with memcpy: rows need no alignment.
void PutPixel16(int32_t x, int32_t y, uint32_t value) {
  uint16_t v = static_cast<uint16_t>(value);
  std::memcpy(PixelAddress(x, y, 2), &v, 2);
}
uint32_t GetPixel16(int32_t x, int32_t y) {
  uint16_t v;
  std::memcpy(&v, PixelAddress(x, y, 2), 2);
  return v;
}
void PixelCopy16(void* dst, const void* src, int32_t n) {
  g_pixel_ops.byte_copy(dst, src, static_cast<size_t>(n) * 2);
}
void PixelFill16(void* dst, uint32_t value, int32_t n) {
  uint16_t v = static_cast<uint16_t>(value);
  uint8_t* p = static_cast<uint8_t*>(dst);
  for (int32_t i = 0; i < n; ++i) std::memcpy(p + 2 * static_cast<ptrdiff_t>(i), &v, 2);
}

// Depth 32 (and anything else): 32-bit units.
void PutPixel32(int32_t x, int32_t y, uint32_t value) {
  std::memcpy(PixelAddress(x, y, 4), &value, 4);
}
uint32_t GetPixel32(int32_t x, int32_t y) {
  uint32_t v;
  std::memcpy(&v, PixelAddress(x, y, 4), 4);
  return v;
}
void PixelCopy32(void* dst, const void* src, int32_t n) {
  g_pixel_ops.byte_copy(dst, src, static_cast<size_t>(n) * 4);
}
void PixelFill32(void* dst, uint32_t value, int32_t n) {
  uint8_t* p = static_cast<uint8_t*>(dst);
  for (int32_t i = 0; i < n; ++i) std::memcpy(p + 4 * static_cast<ptrdiff_t>(i), &value, 4);
}

}  // namespace

void SelectPixelOps() {
  if (CpuHasMmx()) {
    g_pixel_ops.byte_copy = SimdByteCopy;
    g_pixel_ops.byte_fill = SimdByteFill;
    g_screen->state_flags |= kStateMmxAvailable;
  } else {
    g_pixel_ops.byte_copy = PlainByteCopy;
    g_pixel_ops.byte_fill = PlainByteFill;
  }
  switch (g_screen->depth) {
    case 1:
    case 2:
    case 4:
    case 8:
      g_pixel_ops.put_pixel = PutPixel8;
      g_pixel_ops.get_pixel = GetPixel8;
      g_pixel_ops.pixel_copy = PixelCopy8;
      g_pixel_ops.pixel_fill = PixelFill8;
      break;
    case 16:
      g_pixel_ops.put_pixel = PutPixel16;
      g_pixel_ops.get_pixel = GetPixel16;
      g_pixel_ops.pixel_copy = PixelCopy16;
      g_pixel_ops.pixel_fill = PixelFill16;
      break;
    default:
      g_pixel_ops.put_pixel = PutPixel32;
      g_pixel_ops.get_pixel = GetPixel32;
      g_pixel_ops.pixel_copy = PixelCopy32;
      g_pixel_ops.pixel_fill = PixelFill32;
      break;
  }
}
