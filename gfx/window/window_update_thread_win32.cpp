// The update thread's skeleton shared by the threaded drivers: create the window,
// report readiness, then every 10 ms one pass under the display lock.
#include "gfx/window/window_state_win32.h"

namespace {
volatile LONG g_pass_count = 0;
}

LONG WindowPassCount() { return InterlockedCompareExchange(&g_pass_count, 0, 0); }

void WindowRunUpdateThread(void* ready_event, void (*frame_step)()) {
  if (g_window.create_window() != 0) {
    g_window.destroy_window();
    return;  // WindowOpen sees the thread end instead of the event
  }
  SetEvent(static_cast<HANDLE>(ready_event));
  g_window.active = kFlagSet;
  while (g_window.running) {
    WindowLock();
    frame_step();
    PumpMessages();
    WindowUnlock();
    InterlockedIncrement(&g_pass_count);
    Sleep(10);
  }
  g_window.destroy_window();
}
