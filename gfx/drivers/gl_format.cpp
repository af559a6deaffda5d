// The OpenGL driver's pixel format request and its fullscreen mode list.
#include "gfx/drivers/gl_format.h"

#include <cstdlib>

#include "gfx/window/display_driver.h"

GlFormatRequest GlFormatRequestFor(int32_t depth, int32_t flags) {
  GlFormatRequest r{};
  r.colour_bits = depth;
  r.depth_bits = 32;
  r.stencil_bits = (flags & kDisplayStencil) ? 8 : 0;
  r.accum_bits = (flags & kDisplayAccum) ? 32 : 0;
  return r;
}

namespace {

// Grows the array by one entry; on failure the old array is freed so that the
// caller never hands out a list that silently lost modes.
bool AppendMode(int32_t** modes, int32_t* count, int32_t mode) {
  void* grown = std::realloc(*modes, static_cast<size_t>(*count + 1) * sizeof(int32_t));
  if (!grown) return false;
  *modes = static_cast<int32_t*>(grown);
  (*modes)[(*count)++] = mode;
  return true;
}

}  // namespace

int32_t* GlCollectModes(int32_t depth, int32_t* count, GlSettingSource source, void* context) {
  int32_t local_count = 0;
  int32_t* modes = nullptr;
  GlDisplaySetting s{};
  for (uint32_t i = 0; source(i, &s, context); ++i) {
    if (s.bits_per_pixel != depth) continue;
    if (!AppendMode(&modes, &local_count, s.width << 16 | s.height)) {
      std::free(modes);
      modes = nullptr;
      local_count = 0;
      break;
    }
  }
  if (count) *count = local_count;
  return modes;
}
