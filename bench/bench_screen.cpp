// A hand-built screen for the benchmarks.
#include "bench_screen.h"

#include <random>

#include "gfx/blitters/blitter.h"

namespace {
std::vector<uint32_t> g_lookup(512);
}  // namespace

uint8_t* AlignBuffer(uint8_t* p) {
  const uintptr_t a = reinterpret_cast<uintptr_t>(p);
  return p + ((kBufferAlign - a % kBufferAlign) % kBufferAlign);
}

BenchScreen::BenchScreen(int32_t width, int32_t height, int32_t depth) {
  const int32_t bpp = (depth + 7) / 8;
  context_.width = width;
  context_.height = height;
  context_.depth = depth;
  context_.bytes_per_pixel = bpp;
  context_.pitch = context_.target_pitch = width * bpp;
  context_.line_multiplier = 1;
  std::mt19937 rng(static_cast<uint32_t>(depth));
  const size_t bytes = static_cast<size_t>(height) * context_.pitch;
  page_.resize(bytes + kBufferAlign);
  page_start_ = AlignBuffer(page_.data());
  for (size_t i = 0; i < bytes; ++i) page_start_[i] = static_cast<uint8_t>(rng());
  palette_.resize(256);
  for (uint32_t& c : palette_) c = rng() & 0x00FFFFFF;
  dirty_.assign(static_cast<size_t>(height), 255);
  context_.visible_page = page_start_;
  context_.current_palette = palette_.data();
  context_.dirty = dirty_.data();
}

void BenchScreen::Install(bool vector) {
  context_.state_flags = vector ? kStateMmxAvailable : 0;
  g_screen = &context_;
  g_rgb16_lookup = reinterpret_cast<uint8_t*>(g_lookup.data());
  // As the mode switch sets it on a processor with MMX.
  g_pixel_ops.byte_copy = SimdByteCopy;
  g_pixel_ops.byte_fill = SimdByteFill;
}
