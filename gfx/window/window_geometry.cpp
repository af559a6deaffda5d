// Platform-neutral arithmetic of the window layer, kept apart from the Win32 calls
// so that it can be tested on any machine.
#include "gfx/window/window_geometry.h"

#include <cstring>

void BuildClassName(const char* title, char out[kClassNameSize]) {
  static const char kPrefix[] = "kvgfxclass_";
  std::memcpy(out, kPrefix, sizeof kPrefix);
  if (!title) return;
  size_t used = sizeof kPrefix - 1;
  size_t room = kClassNameSize - 1 - used;
  size_t n = std::strlen(title);
  if (n > room) n = room;
  std::memcpy(out + used, title, n);
  out[used + n] = '\0';
}

namespace {
int32_t FloorHalf(int32_t v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }
}  // namespace

void CentredOrigin(int32_t screen_w, int32_t screen_h, int32_t outer_w, int32_t outer_h,
                   int32_t* x, int32_t* y) {
  *x = FloorHalf(screen_w - outer_w);
  *y = FloorHalf(screen_h - outer_h);
}

bool FindDirtySpan(const uint8_t* dirty, int32_t count, int32_t* first, int32_t* last) {
  if (!dirty) return false;
  int32_t y0 = 0;
  while (y0 < count && !dirty[y0]) ++y0;
  if (y0 == count) return false;
  int32_t y1 = count - 1;
  while (!dirty[y1]) --y1;
  *first = y0;
  *last = y1;
  return true;
}

int32_t PictureRowAt(int32_t display_y, int32_t top, int32_t height) {
  return ClampInt(display_y - top, 0, height - 1);
}

int32_t ClampInt(int32_t value, int32_t low, int32_t high) {
  if (value < low) return low;
  if (value > high) return high;
  return value;
}

int32_t RetraceMilliseconds(int32_t refresh_rate) {
  return refresh_rate >= kSlowestRealRefreshRate ? 1000 / refresh_rate : 16;
}

int32_t RetraceWaitMs(int64_t now_us, int32_t period_ms, int64_t* retrace_us) {
  const int64_t period = static_cast<int64_t>(period_ms > 0 ? period_ms : 1) * 1000;
  // The first wait, or a grid from another period or clock: a retrace now.
  if (*retrace_us <= 0 || *retrace_us - now_us > period) *retrace_us = now_us;
  if (*retrace_us <= now_us) *retrace_us += ((now_us - *retrace_us) / period + 1) * period;
  return static_cast<int32_t>((*retrace_us - now_us + 999) / 1000);
}

int32_t WheelStep(int64_t wparam) {
  return static_cast<int32_t>(static_cast<uint32_t>(wparam)) > 0 ? 1 : -1;
}

int32_t PassPauseMs(int64_t now_us, int64_t* due_us) {
  *due_us += kPassPeriodUs;
  if (*due_us <= now_us || *due_us - now_us > kPassPeriodUs) *due_us = now_us + kPassPeriodUs;
  const int64_t ms = (*due_us - now_us + 500) / 1000;
  return ms > 0 ? static_cast<int32_t>(ms) : 1;
}

namespace {
// Whether the pass just made calls for another early one.
bool FollowUpDue(bool key_queued, bool showed, FollowUps* f) {
  if (key_queued) {
    *f = {kMaxFollowUpPasses, false};  // rows this pass showed were drawn before the key
  } else if (f->left > 0 && showed) {
    f->answer_shown = true;
  } else if (f->answer_shown) {
    f->left = 0;  // the answer has shown and nothing more came
  }
  if (f->left == 0) return false;
  --f->left;
  return true;
}
}  // namespace

int32_t NextPassPauseMs(int64_t now_us, bool key_queued, bool showed, int64_t* due_us,
                        FollowUps* follow_ups) {
  if (!FollowUpDue(key_queued, showed, follow_ups)) return PassPauseMs(now_us, due_us);
  *due_us = now_us + kFollowUpPassUs;
  return static_cast<int32_t>(kFollowUpPassUs / 1000);
}

bool PassFoundNothing(bool showed, bool handled_input, const FollowUps& follow_ups) {
  return !showed && !handled_input && follow_ups.left == 0;
}
