// The update thread's skeleton shared by the threaded drivers: create the window,
// report readiness, then one pass under the display lock every 10 ms, sooner when
// a key or mouse button arrives, and early passes after a key (window_geometry.h).
// After a pass that found nothing to do the thread sleeps until the program
// changes the screen or a message comes (at most kIdlePassPauseMs), so a window
// that shows a still picture costs next to nothing. The lock is not held while
// the thread waits, so the program's drawing is not starved.
#include "console/key_poll_pacing.h"
#include "gfx/input/keys_internal.h"
#include "gfx/window/time_slice.h"
#include "gfx/window/window_geometry.h"
#include "gfx/window/window_state_win32.h"

namespace {

volatile LONG g_pass_count = 0;
bool g_key_queued_in_pass = false;  // update thread only (the window procedure)

// The regular pause. A key or a mouse button ends it: the pass that pumps it
// then comes at once instead of up to a period later. Pointer moves do not, so
// a moving mouse cannot multiply the passes.
void WaitForNextPass(bool showed, int64_t* due_us, FollowUps* follow_ups) {
  const int32_t ms = NextPassPauseMs(KeyPollClockUs(), g_key_queued_in_pass, showed, due_us, follow_ups);
  g_key_queued_in_pass = false;
  MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(ms), QS_KEY | QS_MOUSEBUTTON);
}

// The idle sleep after the regular pause, skipped when a message came during
// that pause (GetQueueStatus's low word: added since the queue was last
// looked at) or the program changed something since the pass (seen). Any new
// message ends it, so the window keeps answering the system at once (Windows
// calls a window that leaves its messages for 5 s "not responding"); a pass
// already lies a period behind, so pointer moves still get one pass a period.
void SleepWhileIdle(uint32_t seen) {
  if (LOWORD(GetQueueStatus(QS_ALLINPUT)) != 0 || !BeginIdleWait(seen)) return;
  HANDLE wake = reinterpret_cast<HANDLE>(IdleWakeHandle());
  MsgWaitForMultipleObjects(wake ? 1 : 0, wake ? &wake : nullptr, FALSE,
                            static_cast<DWORD>(kIdlePassPauseMs), QS_ALLINPUT);
  EndIdleWait();
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
  int64_t due_us = KeyPollClockUs();
  FollowUps follow_ups;
  while (g_window.running) {
    WindowLock();
    const bool showed = frame_step();
    const bool pumped = PumpMessages();
    // The key-state bytes are refreshed by the passes alone; a program that
    // reads them keeps the passes coming, as does a palette change not yet
    // shown. So does fullscreen, where DirectX's pass also keeps its popup
    // fitted to the display mode, which may change without a word to it.
    const bool busy = pumped || g_window.palette_changed || KeyStateAsked() || g_window.fullscreen;
    const uint32_t seen = ScreenChanges();
    WindowUnlock();
    InterlockedIncrement(&g_pass_count);
    WaitForNextPass(showed, &due_us, &follow_ups);
    if (g_window.running && PassFoundNothing(showed, busy, follow_ups)) SleepWhileIdle(seen);
  }
  g_window.destroy_window();
}
