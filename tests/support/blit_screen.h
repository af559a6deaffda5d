// A hand-built screen context for the blitter tests: pages, dirty flags, palette
// and the 16-bit lookup, installed as the open screen for the fixture's life.
#pragma once
#include <cstdint>
#include <vector>

#include "gfx/screen.h"

class BlitScreen {
 public:
  // depth as the context stores it (1, 2, 4, 8, 16 or 32); state_flags gets
  // the vector bit when `vector` is set.
  BlitScreen(int32_t width, int32_t height, int32_t depth, int32_t line_multiplier, bool vector);
  ~BlitScreen();
  BlitScreen(const BlitScreen&) = delete;
  BlitScreen& operator=(const BlitScreen&) = delete;

  ScreenContext& context() { return context_; }
  uint8_t* Row(int32_t y) { return page_.data() + static_cast<size_t>(y) * context_.pitch; }
  uint32_t* palette() { return palette_.data(); }
  uint8_t* dirty() { return dirty_.data(); }
  const uint32_t* lookup() const { return reinterpret_cast<const uint32_t*>(lookup_.data()); }
  void SetVector(bool vector);

 private:
  ScreenContext context_ = {};
  std::vector<uint8_t> page_;
  std::vector<uint8_t> dirty_;
  std::vector<uint32_t> palette_;
  std::vector<uint32_t> lookup_;  // 512 words = 2048 bytes
  ScreenContext* saved_screen_;
  uint8_t* saved_lookup_;
  PixelOps saved_ops_;
};
