// Waiting for about one vertical retrace where the display cannot tell us: until
// the next retrace of a grid at the display's reported rate.
#include <chrono>

#include "gfx/screen.h"
#include "gfx/window/window_geometry.h"
#include "gfx/window/window_state_win32.h"

void WindowWaitRetrace() {
  static int64_t retrace_us = 0;  // the program's thread only
  const int64_t now_us = std::chrono::duration_cast<std::chrono::microseconds>(
                             std::chrono::steady_clock::now().time_since_epoch())
                             .count();
  const int32_t period = RetraceMilliseconds(g_screen ? g_screen->refresh_rate : 0);
  Sleep(static_cast<DWORD>(RetraceWaitMs(now_us, period, &retrace_us)));
}
