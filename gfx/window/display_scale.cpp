// The whole-number scale of a window on a dense display, and the row widening
// that shows it.
#include "gfx/window/display_scale.h"

#include <cstring>

namespace {
bool Fits(int32_t f, int32_t client_w, int32_t client_h, int32_t frame_w, int32_t frame_h,
          int32_t work_w, int32_t work_h) {
  return int64_t{client_w} * f + frame_w <= work_w && int64_t{client_h} * f + frame_h <= work_h;
}
}  // namespace

int32_t DisplayScaleFactor(int32_t dpi, int32_t client_w, int32_t client_h, int32_t frame_w,
                           int32_t frame_h, int32_t work_w, int32_t work_h) {
  int32_t f = dpi / kBaseDpi;
  while (f > 1 && !Fits(f, client_w, client_h, frame_w, frame_h, work_w, work_h)) --f;
  return f > 1 ? f : 1;
}

void ScaleRowsBy(const uint8_t* src, size_t src_pitch, uint8_t* dst, size_t dst_pitch, int32_t width,
                 int32_t bytes_per_pixel, int32_t factor, int32_t first, int32_t last,
                 const uint8_t* dirty) {
  const size_t bpp = static_cast<size_t>(bytes_per_pixel);
  const size_t wide = static_cast<size_t>(width) * bpp * factor;
  for (int32_t y = first; y <= last; ++y) {
    if (dirty && !dirty[y]) continue;
    const uint8_t* in = src + static_cast<size_t>(y) * src_pitch;
    uint8_t* out = dst + static_cast<size_t>(y) * factor * dst_pitch;
    for (int32_t x = 0; x < width; ++x) {
      for (int32_t k = 0; k < factor; ++k) std::memcpy(out + (static_cast<size_t>(x) * factor + k) * bpp, in + x * bpp, bpp);
    }
    for (int32_t k = 1; k < factor; ++k) std::memcpy(out + static_cast<size_t>(k) * dst_pitch, out, wide);
  }
}
