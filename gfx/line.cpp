// Straight lines, box outlines and filled boxes, with 16-bit line styles.
#include <cstddef>
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "gfx/draw_internal.h"
#include "gfx/screen.h"

namespace {

uint8_t* RowAddress(int32_t x, int32_t y) {
  return g_screen->line_table[y] + static_cast<ptrdiff_t>(x) * g_screen->bytes_per_pixel;
}

// The style bit under test walks from bit 15 down to bit 0 and starts again.
uint32_t NextMask(uint32_t mask) { return mask == 1 ? 0x8000u : mask >> 1; }

void DrawVertical(int32_t x, int32_t y1, int32_t y2, uint32_t colour, uint32_t style) {
  uint32_t mask = 0x8000;
  if (y1 > y2) {
    std::swap(y1, y2);
    style = ReverseStyle(style);
    mask = 1u << ((y2 - y1) & 15);
  }
  for (int32_t y = y1; y <= y2; ++y, mask = NextMask(mask)) {
    if (style & mask) g_pixel_ops.put_pixel(x, y, colour);
  }
}

void DrawHorizontal(int32_t x1, int32_t x2, int32_t y, uint32_t colour, uint32_t style) {
  uint32_t mask = 0x8000;
  if (x1 > x2) {
    std::swap(x1, x2);
    style = ReverseStyle(style);
    mask = 1u << ((x2 - x1) & 15);
  }
  if (style == kStyleSolid) {
    g_pixel_ops.pixel_fill(RowAddress(x1, y), colour, x2 - x1 + 1);
    return;
  }
  for (int32_t x = x1; x <= x2; ++x, mask = NextMask(mask)) {
    if (style & mask) g_pixel_ops.put_pixel(x, y, colour);
  }
}

// Bresenham from (x1, y1) towards (x2, y2), along the longer axis.
void DrawSloped(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour, uint32_t style) {
  const int32_t dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
  const int32_t sx = x2 > x1 ? 1 : -1, sy = y2 > y1 ? 1 : -1;
  const bool x_major = dx >= dy;
  const int32_t major = x_major ? dx : dy, minor = x_major ? dy : dx;
  int32_t x = x1, y = y1, e = 2 * minor - major;
  uint32_t mask = 0x8000;
  for (int32_t i = 0; i <= major; ++i, mask = NextMask(mask)) {
    if (style & mask) g_pixel_ops.put_pixel(x, y, colour);
    if (e >= 0) {
      if (x_major) y += sy; else x += sx;
      e -= 2 * major;
    }
    e += 2 * minor;
    if (x_major) x += sx; else y += sy;
  }
}

}  // namespace

void MarkRowsDirty(int32_t lo, int32_t hi) {
  ScreenContext* s = g_screen;
  if (s->line_table[0] != s->visible_page) return;
  lo = std::max(lo, 0);
  hi = std::min(hi, s->height - 1);
  if (lo > hi) return;
  g_pixel_ops.byte_fill(s->dirty + lo, 255, static_cast<size_t>(hi - lo + 1));
}

uint32_t ReverseStyle(uint32_t style) {
  uint32_t out = 0;
  for (int i = 0; i < 16; ++i) {
    if (style & (1u << i)) out |= 1u << (15 - i);
  }
  return out;
}

void SortBox(int32_t* x1, int32_t* y1, int32_t* x2, int32_t* y2) {
  if (*x1 > *x2) std::swap(*x1, *x2);
  if (*y1 > *y2) std::swap(*y1, *y2);
}

void DrawBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour, int32_t fill) {
  const ScreenContext* s = g_screen;
  const int64_t right = static_cast<int64_t>(s->view_x) + s->view_w;
  const int64_t bottom = static_cast<int64_t>(s->view_y) + s->view_h;
  if (x2 < s->view_x || y2 < s->view_y || x1 >= right || y1 >= bottom) return;
  const int32_t cx1 = std::max(s->view_x, x1), cy1 = std::max(s->view_y, y1);
  const int32_t cx2 = static_cast<int32_t>(std::min<int64_t>(right - 1, x2));
  const int32_t cy2 = static_cast<int32_t>(std::min<int64_t>(bottom - 1, y2));
  const bool took = ScreenLock();
  if (fill) {
    for (int32_t y = cy1; y <= cy2; ++y) g_pixel_ops.pixel_fill(RowAddress(cx1, y), colour, cx2 - cx1 + 1);
  } else {
    if (x1 >= s->view_x) {
      for (int32_t y = cy1; y <= cy2; ++y) g_pixel_ops.put_pixel(x1, y, colour);
    }
    if (x2 < right) {
      for (int32_t y = cy1; y <= cy2; ++y) g_pixel_ops.put_pixel(x2, y, colour);
    }
    if (y1 >= s->view_y) g_pixel_ops.pixel_fill(RowAddress(cx1, y1), colour, cx2 - cx1 + 1);
    if (y2 < bottom) g_pixel_ops.pixel_fill(RowAddress(cx1, y2), colour, cx2 - cx1 + 1);
  }
  MarkRowsDirty(cy1, cy2);
  ScreenUnlock(took);
}

void DrawLine(void* target, float x1, float y1, float x2, float y2, uint32_t colour,
              int32_t kind, uint32_t style, int32_t flags) {
  ScreenContext* s = g_screen;
  if (s == nullptr) return;
  colour = colour == kDefaultColour ? s->foreground : ColourArgument(colour);
  style &= 0xFFFF;
  (void)target;  // the screen's work page is the only drawing target
  s->target = nullptr;
  ApplyStep(flags, &x1, &y1, &x2, &y2);
  int32_t ix1, iy1, ix2, iy2;
  MapCoords(x1, y1, &ix1, &iy1);
  MapCoords(x2, y2, &ix2, &iy2);
  if (kind != kDrawKindLine) {
    SortBox(&ix1, &iy1, &ix2, &iy2);
    DrawBox(ix1, iy1, ix2, iy2, colour, kind == kDrawKindFilledBox);
    return;
  }
  if (ClipLine(&ix1, &iy1, &ix2, &iy2) != 0) return;
  const bool took = ScreenLock();
  if (ix1 == ix2) {
    DrawVertical(ix1, iy1, iy2, colour, style);
  } else if (iy1 == iy2) {
    DrawHorizontal(ix1, ix2, iy1, colour, style);
  } else {
    DrawSloped(ix1, iy1, ix2, iy2, colour, style);
  }
  MarkRowsDirty(std::min(iy1, iy2), std::max(iy1, iy2));
  ScreenUnlock(took);
}
