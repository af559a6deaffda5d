// A hand-built screen context for the blitter tests.
#include "support/blit_screen.h"

#include <cstring>

BlitScreen::BlitScreen(int32_t width, int32_t height, int32_t depth, int32_t line_multiplier,
                       bool vector)
    : saved_screen_(g_screen), saved_lookup_(g_rgb16_lookup), saved_ops_(g_pixel_ops) {
  const int32_t bpp = (depth + 7) / 8;
  context_.width = width;
  context_.height = height;
  context_.depth = depth;
  context_.bytes_per_pixel = bpp;
  context_.pitch = context_.target_pitch = width * bpp;
  context_.line_multiplier = line_multiplier;
  page_.assign(static_cast<size_t>(height) * context_.pitch, 0);
  dirty_.assign(static_cast<size_t>(height) * line_multiplier, 0);
  palette_.assign(256, 0);
  lookup_.assign(512, 0);
  context_.visible_page = page_.data();
  context_.current_palette = palette_.data();
  context_.dirty = dirty_.data();
  SetVector(vector);
  g_screen = &context_;
  g_rgb16_lookup = reinterpret_cast<uint8_t*>(lookup_.data());
  g_pixel_ops.byte_copy = std::memcpy;
}

BlitScreen::~BlitScreen() {
  g_screen = saved_screen_;
  g_rgb16_lookup = saved_lookup_;
  g_pixel_ops = saved_ops_;
}

void BlitScreen::SetVector(bool vector) {
  if (vector) context_.state_flags |= kStateMmxAvailable;
  else context_.state_flags &= ~kStateMmxAvailable;
}
