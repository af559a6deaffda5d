// Circles, ellipses and arcs: whole ellipses row by row with integer steps,
// outlined or filled; arcs point by point along the angle, with radius lines.
#include <cstddef>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "gfx/draw_internal.h"
#include "gfx/draw_math.h"
#include "gfx/screen.h"

namespace {

constexpr long double kArcStepFactor = 1.5L;

bool InView(int32_t x, int32_t y) {
  const ScreenContext* s = g_screen;
  return x >= s->view_x && static_cast<int64_t>(x) < static_cast<int64_t>(s->view_x) + s->view_w &&
         y >= s->view_y && static_cast<int64_t>(y) < static_cast<int64_t>(s->view_y) + s->view_h;
}

// Aspect 0 stands for the mode's own: square pixels on a 4:3 display.
float DefaultAspect() {
  const ScreenContext* s = g_screen;
  return static_cast<float>(static_cast<long double>(s->height) / s->width *
                            static_cast<long double>(kDefaultAspectFactor));
}

void RadiusLine(int32_t cx, int32_t cy, float angle, float rx, float ry, uint32_t colour) {
  int32_t dx, dy;
  ArcPoint(angle, rx, ry, &dx, &dy);
  const int64_t x2 = static_cast<int64_t>(cx) + dx, y2 = static_cast<int64_t>(cy) - dy;
  DrawLine(nullptr, static_cast<float>(cx), static_cast<float>(cy), static_cast<float>(x2),
           static_cast<float>(y2), colour, kDrawKindLine, kStyleSolid, kStepAbsolute);
}

// Brings the angles into order: end at or after start, at most a turn apart. The
// span is measured against the turn as a float, so that an end given as the float
// nearest to 2 pi still draws the whole turn. Angles so large that adding a turn
// no longer changes them stop the stepping.
void NormaliseArc(float* start, float* end) {
  constexpr double kFloatTurn = static_cast<float>(kFullTurn);
  while (*end < *start) {
    const float next = static_cast<float>(*end + kFullTurn);
    if (next == *end) break;
    *end = next;
  }
  while (static_cast<double>(*end) - *start > kFloatTurn) {
    const float next = static_cast<float>(*start + kFullTurn);
    if (next == *start) break;
    *start = next;
  }
}

void DrawArc(int32_t cx, int32_t cy, float rx, float ry, float start, float end, uint32_t colour) {
  const float step = static_cast<float>(1.0L / (std::sqrt(static_cast<long double>(rx)) *
                                                std::sqrt(static_cast<long double>(ry)) * kArcStepFactor));
  const long double stop = static_cast<long double>(end) + static_cast<long double>(step) * 0.5L;
  if (!(start < stop)) return;
  const float limit = static_cast<float>(stop);
  for (;;) {
    int32_t dx, dy;
    ArcPoint(start, rx, ry, &dx, &dy);
    const int64_t px = static_cast<int64_t>(cx) + dx, py = static_cast<int64_t>(cy) - dy;
    if (px >= INT32_MIN && px <= INT32_MAX && py >= INT32_MIN && py <= INT32_MAX &&
        InView(static_cast<int32_t>(px), static_cast<int32_t>(py))) {
      g_pixel_ops.put_pixel(static_cast<int32_t>(px), static_cast<int32_t>(py), colour);
    }
    const long double next = static_cast<long double>(start) + step;
    const float stored = static_cast<float>(next);
    // A step below the angle's precision would never reach the end.
    if (!(next < limit) || stored == start) break;
    start = stored;
  }
}

// The rows an ellipse can touch, clamped to the view's height.
void MarkEllipseRows(int32_t cy, float ry) {
  const int32_t last = g_screen->view_h - 1;
  const double top = static_cast<double>(cy) - ry, bottom = static_cast<double>(cy) + ry;
  int32_t lo = TruncToInt(std::min(std::max(top, 0.0), static_cast<double>(last)));
  int32_t hi = TruncToInt(std::min(std::max(bottom, 0.0), static_cast<double>(last)));
  if (lo > hi) std::swap(lo, hi);
  MarkRowsDirty(lo, hi);
}

}  // namespace

void ArcPoint(float angle, float rx, float ry, int32_t* dx, int32_t* dy) {
  const long double a = angle;
  const float fx = static_cast<float>(std::cos(a) * rx);
  const float fy = static_cast<float>(std::sin(a) * ry);
  *dx = fx >= 0 ? TruncToInt(fx + 0.5L) : TruncToInt(fx - 0.5L);
  *dy = fy >= 0 ? TruncToInt(fy + 0.5L) : TruncToInt(fy - 0.5L);
}

void EllipseRow(int32_t y, int32_t x1, int32_t x2, uint32_t colour, int32_t fill) {
  const ScreenContext* s = g_screen;
  const int64_t right = static_cast<int64_t>(s->view_x) + s->view_w;
  if (y < s->view_y || y >= static_cast<int64_t>(s->view_y) + s->view_h) return;
  if (fill) {
    if (x2 < s->view_x || x1 >= right) return;
    const int32_t a = std::max(s->view_x, x1);
    const int32_t b = static_cast<int32_t>(std::min<int64_t>(right - 1, x2));
    if (a <= b) {
      g_pixel_ops.pixel_fill(s->line_table[y] + static_cast<ptrdiff_t>(a) * s->bytes_per_pixel, colour,
                             b - a + 1);
    }
    return;
  }
  if (x1 >= s->view_x && x1 < right) g_pixel_ops.put_pixel(x1, y, colour);
  if (x2 >= s->view_x && x2 < right) g_pixel_ops.put_pixel(x2, y, colour);
}

namespace {

// One row pair of the steps below. Positions are 64-bit there, since an ellipse
// far off the screen can step past the 32-bit range; such rows are never visible.
int32_t Clamp32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

void StepRow(int64_t y, int64_t xl, int64_t xr, uint32_t colour, int32_t fill) {
  if (y < INT32_MIN || y > INT32_MAX) return;
  EllipseRow(static_cast<int32_t>(y), Clamp32(xl), Clamp32(xr), colour, fill);
}

// The row steps of a whole ellipse from the middle row outwards. T is int64_t for
// every radius a screen can show; larger radii, whose error terms would overflow
// 64 bits, step in double.
template <typename T>
void EllipseSteps(int32_t cy, float rx, float ry, uint32_t colour, int32_t fill, int64_t xl, int64_t xr) {
  const T a = static_cast<T>(std::trunc(static_cast<long double>(rx) * rx));
  const T b = static_cast<T>(std::trunc(static_cast<long double>(ry) * ry));
  T e = static_cast<T>(std::trunc(static_cast<long double>(b) * rx));
  T u = 2 * e, s = 0;
  int64_t y_low = cy, y_high = cy;
  const int64_t top = g_screen->view_y, bottom = top + g_screen->view_h;
  for (int32_t n = TruncToInt(rx); n > 0;) {
    if (e > 0) {
      ++y_low, --y_high;
      s += 2 * a;
      e -= s;
    }
    if (e <= 0) {
      u -= 2 * b;
      ++xl, --xr, --n;
      e += u;
    }
    StepRow(y_low, xl, xr, colour, fill);
    StepRow(y_high, xl, xr, colour, fill);
    // Rows only move outwards: once both are past the view, nothing more shows.
    // This also ends the walk down a very tall, thin ellipse.
    if (y_low >= bottom && y_high < top) break;
  }
}

constexpr float kLargestExactRadius = 1048576.0f;

}  // namespace

void DrawFullEllipse(int32_t cx, int32_t cy, float rx, float ry, uint32_t colour, int32_t fill) {
  const int32_t xl = TruncToInt(static_cast<double>(cx) - rx);
  const int32_t xr = TruncToInt(static_cast<double>(cx) + rx);
  if (ry == 0.0f) {
    EllipseRow(cy, xl, xr, colour, 1);
    return;
  }
  EllipseRow(cy, xl, xr, colour, fill);
  if (!(rx > 0)) return;
  if (std::fabs(rx) <= kLargestExactRadius && std::fabs(ry) <= kLargestExactRadius) {
    EllipseSteps<int64_t>(cy, rx, ry, colour, fill, xl, xr);
  } else {
    EllipseSteps<double>(cy, rx, ry, colour, fill, xl, xr);
  }
}

void DrawCircle(void* target, float x, float y, float radius, uint32_t colour, float aspect,
                float start, float end, int32_t fill, int32_t flags) {
  ScreenContext* s = g_screen;
  if (s == nullptr) return;
  const uint32_t given = colour;  // radius lines convert it themselves
  const uint32_t pixel = colour == kDefaultColour ? s->foreground : ColourArgument(colour);
  (void)target;  // the screen's work page is the only drawing target
  s->target = nullptr;
  ApplyStep(flags, &x, &y, nullptr, nullptr);
  int32_t cx, cy;
  MapCoords(x, y, &cx, &cy);
  if (aspect == 0.0f) aspect = DefaultAspect();
  const float rx = aspect > 1.0f ? radius / aspect : radius;
  const float ry = aspect > 1.0f ? radius : radius * aspect;
  bool took;
  if (start == 0.0f && std::bit_cast<uint32_t>(end) == kFullCircleBits) {
    took = ScreenLock();
    DrawFullEllipse(cx, cy, rx, ry, pixel, fill);
  } else {
    if (start < 0) start = -start, RadiusLine(cx, cy, start, rx, ry, given);
    if (end < 0) end = -end, RadiusLine(cx, cy, end, rx, ry, given);
    NormaliseArc(&start, &end);
    took = ScreenLock();
    DrawArc(cx, cy, rx, ry, start, end, pixel);
  }
  MarkEllipseRows(cy, ry);
  ScreenUnlock(took);
  s->last_x = x;
  s->last_y = y;
}
