// The update thread's skeleton shared by the threaded drivers: create the window,
// report readiness, then one pass under the display lock every 10 ms, sooner when
// a key or mouse button arrives, and early passes after a key (window_geometry.h).
// The lock is not held while the thread waits, so the program's drawing is not
// starved.
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

void WaitForNextPass(bool showed, int64_t* due_us, FollowUps* follow_ups) {
  const int32_t ms = NextPassPauseMs(NowMicroseconds(), g_key_queued_in_pass, showed, due_us, follow_ups);
  g_key_queued_in_pass = false;
  // A key or a mouse button ends the pause: the pass that pumps it then comes at
  // once instead of up to a period later. Pointer moves do not, so a moving mouse
  // cannot multiply the passes.
  MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(ms), QS_KEY | QS_MOUSEBUTTON);
}

}  // namespace

void WindowNoteKeyQueued() { g_key_queued_in_pass = true; }

LONG WindowPassCount() { return InterlockedCompareExchange(&g_pass_count, 0, 0); }

void WindowRunUpdateThread(void* ready_event, bool (*frame_step)()) {
  if (g_window.create_window() != 0) {
    g_window.destroy_window();
    return;  // WindowOpen sees the thread end instead of the event
  }
  SetEvent(static_cast<HANDLE>(ready_event));
  g_window.active = kFlagSet;
  int64_t due_us = NowMicroseconds();
  FollowUps follow_ups;
  while (g_window.running) {
    WindowLock();
    const bool showed = frame_step();
    PumpMessages();
    WindowUnlock();
    InterlockedIncrement(&g_pass_count);
    WaitForNextPass(showed, &due_us, &follow_ups);
  }
  g_window.destroy_window();
}
