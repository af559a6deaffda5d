// Memory for the screen context and its tables, with a seam through which tests
// make one allocation fail to check that the set-up gives up cleanly.
#include <cstdlib>

#include "gfx/screen_setup.h"

namespace {
int32_t g_fail_countdown = -1;
}

void* ScreenAllocZeroed(size_t bytes) {
  if (g_fail_countdown == 0) {
    g_fail_countdown = -1;
    return nullptr;
  }
  if (g_fail_countdown > 0) --g_fail_countdown;
  return std::calloc(1, bytes);
}

void SetScreenAllocFailure(int32_t countdown) { g_fail_countdown = countdown < 0 ? -1 : countdown; }
