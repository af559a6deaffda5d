// A hand-built screen for the benchmarks: one page of random pixels with every
// row dirty, a random palette and the 16-bit lookup, installed as the open screen.
// The page starts on a 64-byte boundary whatever the allocator gives, so that
// builds for different systems time their kernels on the same alignment.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gfx/screen.h"

// Buffers handed to the kernels start on this boundary.
constexpr size_t kBufferAlign = 64;
// The first boundary at or after p; the buffer needs kBufferAlign spare bytes.
uint8_t* AlignBuffer(uint8_t* p);

class BenchScreen {
 public:
  BenchScreen(int32_t width, int32_t height, int32_t depth);
  // Makes this the open screen, in the vector or the portable family's mode.
  void Install(bool vector);
  const uint8_t* pixels() const { return page_start_; }
  const uint32_t* palette() const { return palette_.data(); }
  const ScreenContext& context() const { return context_; }

 private:
  ScreenContext context_ = {};
  std::vector<uint8_t> page_;
  uint8_t* page_start_ = nullptr;
  std::vector<uint8_t> dirty_;
  std::vector<uint32_t> palette_;
};
