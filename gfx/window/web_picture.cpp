// The browser window's picture: only the changed rows are converted, and only
// the span from the first to the last of them goes to the canvas.
#include "gfx/window/web_picture.h"

#include <cstring>

#include "gfx/screen.h"
#include "gfx/window/window_geometry.h"

namespace {

// The canvas reads the fourth byte as opacity.
void MakeOpaque(uint8_t* rgba, int32_t width, int32_t first, int32_t last) {
  uint8_t* p = rgba + static_cast<size_t>(first) * width * 4 + 3;
  const uint8_t* end = rgba + static_cast<size_t>(last + 1) * width * 4;
  for (; p < end; p += 4) *p = 0xFF;
}

}  // namespace

Blitter WebCanvasBlitter() { return SelectBlitter(32, 1); }

bool WebConvertDirtyRows(Blitter blitter, uint8_t* rgba, int32_t width, int32_t height,
                         int32_t* first, int32_t* count) {
  if (!blitter || !g_screen || !g_screen->dirty || !g_screen->visible_page) return false;
  // The flags are by framebuffer row; in modes that repeat each row the
  // picture's rows are display rows, m of them a flag.
  const int32_t m = g_screen->line_multiplier > 1 ? g_screen->line_multiplier : 1;
  int32_t low = 0, high = 0;
  if (!FindDirtySpan(g_screen->dirty, height / m, &low, &high)) return false;
  low *= m;
  high = (high + 1) * m - 1;
  blitter(rgba, width * 4);
  std::memset(g_screen->dirty, 0, static_cast<size_t>(height));
  MakeOpaque(rgba, width, low, high);
  *first = low;
  *count = high - low + 1;
  return true;
}
