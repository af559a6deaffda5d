// The update thread's skeleton shared by the threaded drivers: create the window,
// report readiness, then one pass under the display lock every 10 ms. The lock is
// not held while the thread sleeps, so the program's drawing is not starved.
#include "gfx/window/window_geometry.h"
#include "gfx/window/window_state_win32.h"

namespace {

volatile LONG g_pass_count = 0;
bool g_key_queued_in_pass = false;  // update thread only (the window procedure)

int64_t NowMicroseconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  const int64_t f = frequency.QuadPart, q = now.QuadPart;
  return q / f * 1000000 + q % f * 1000000 / f;  // no overflow after long uptimes
}

void SleepUntilNextPass(int64_t* due_us) {
  const int64_t now = NowMicroseconds();
  const int32_t ms = g_key_queued_in_pass ? FollowUpPauseMs(now, due_us) : PassPauseMs(now, due_us);
  g_key_queued_in_pass = false;
  Sleep(static_cast<DWORD>(ms));
}

}  // namespace

void WindowNoteKeyQueued() { g_key_queued_in_pass = true; }

LONG WindowPassCount() { return InterlockedCompareExchange(&g_pass_count, 0, 0); }

void WindowRunUpdateThread(void* ready_event, void (*frame_step)()) {
  if (g_window.create_window() != 0) {
    g_window.destroy_window();
    return;  // WindowOpen sees the thread end instead of the event
  }
  SetEvent(static_cast<HANDLE>(ready_event));
  g_window.active = kFlagSet;
  int64_t due_us = NowMicroseconds();
  while (g_window.running) {
    WindowLock();
    frame_step();
    PumpMessages();
    WindowUnlock();
    InterlockedIncrement(&g_pass_count);
    SleepUntilNextPass(&due_us);
  }
  g_window.destroy_window();
}
