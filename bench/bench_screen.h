// A hand-built screen for the benchmarks: one page of random pixels with every
// row dirty, a random palette and the 16-bit lookup, installed as the open screen.
#pragma once
#include <cstdint>
#include <vector>

#include "gfx/screen.h"

class BenchScreen {
 public:
  BenchScreen(int32_t width, int32_t height, int32_t depth);
  // Makes this the open screen, in the vector or the portable family's mode.
  void Install(bool vector);
  const uint8_t* pixels() const { return page_.data(); }
  const uint32_t* palette() const { return palette_.data(); }
  const ScreenContext& context() const { return context_; }

 private:
  ScreenContext context_ = {};
  std::vector<uint8_t> page_;
  std::vector<uint8_t> dirty_;
  std::vector<uint32_t> palette_;
};
