// Coordinate routines shared by every drawing operation: relative steps and the
// last graphics point, float-to-pixel rounding, and clipping lines to the view.
#include <utility>

#include "gfx/draw_internal.h"
#include "gfx/draw_math.h"
#include "gfx/screen.h"

void ApplyStep(int32_t flags, float* x1, float* y1, float* x2, float* y2) {
  ScreenContext* s = g_screen;
  const bool second = x2 != nullptr && y2 != nullptr;
  switch (flags) {
    case kStepSecondRelative:
      if (second) *x2 += *x1, *y2 += *y1;
      break;
    case kStepFirstRelative:
    case kStepPointRelative:
      *x1 += s->last_x, *y1 += s->last_y;
      break;
    case kStepBothRelative:
      *x1 += s->last_x, *y1 += s->last_y;
      if (second) *x2 += *x1, *y2 += *y1;
      break;
    default:
      break;
  }
  s->last_x = second ? *x2 : *x1;
  s->last_y = second ? *y2 : *y1;
}

void MapCoords(float x, float y, int32_t* ix, int32_t* iy) {
  *ix = RoundHalfAway(x) + g_screen->view_x;
  *iy = RoundHalfAway(y) + g_screen->view_y;
}

int32_t OutCode(int32_t x, int32_t y) {
  const ScreenContext* s = g_screen;
  int32_t code = 0;
  if (x < s->view_x) code |= kOutLeft;
  if (static_cast<int64_t>(x) >= static_cast<int64_t>(s->view_x) + s->view_w) code |= kOutRight;
  if (y < s->view_y) code |= kOutTop;
  if (static_cast<int64_t>(y) >= static_cast<int64_t>(s->view_y) + s->view_h) code |= kOutBottom;
  return code;
}

namespace {

// Moves point 1 onto the first view edge it lies beyond, along the line's slope.
void ClipPointToEdge(int32_t code, int32_t* x1, int32_t* y1, int32_t x2, long double m) {
  const ScreenContext* s = g_screen;
  if (code & kOutLeft) {
    *y1 = TruncToInt(*y1 + m * (static_cast<long double>(s->view_x) - *x1));
    *x1 = s->view_x;
  } else if (code & kOutRight) {
    const int32_t edge = s->view_x + s->view_w - 1;
    *y1 = TruncToInt(*y1 + m * (static_cast<long double>(edge) - *x1));
    *x1 = edge;
  } else if (code & kOutTop) {
    if (*x1 != x2) *x1 = TruncToInt(*x1 + (1.0L / m) * (static_cast<long double>(s->view_y) - *y1));
    *y1 = s->view_y;
  } else if (code & kOutBottom) {
    const int32_t edge = s->view_y + s->view_h - 1;
    if (*x1 != x2) *x1 = TruncToInt(*x1 + (1.0L / m) * (static_cast<long double>(edge) - *y1));
    *y1 = edge;
  }
}

// Truncation can leave a line that only grazes a view corner bouncing between
// two edges; such a line has no visible pixel worth drawing.
constexpr int kMaxClipSteps = 64;

}  // namespace

int32_t ClipLine(int32_t* x1, int32_t* y1, int32_t* x2, int32_t* y2) {
  for (int step = 0; step < kMaxClipSteps; ++step) {
    int32_t c1 = OutCode(*x1, *y1);
    const int32_t c2 = OutCode(*x2, *y2);
    if (c1 == 0 && c2 == 0) return 0;
    if (c1 & c2) return -1;
    if (c1 == 0) {
      std::swap(*x1, *x2);
      std::swap(*y1, *y2);
      c1 = c2;
    }
    const long double m = *x1 == *x2 ? 1.0L
                                     : (static_cast<long double>(*y2) - *y1) /
                                           (static_cast<long double>(*x2) - *x1);
    ClipPointToEdge(c1, x1, y1, *x2, m);
  }
  return -1;
}
