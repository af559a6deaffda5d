// The X11 driver's update thread: a pass under the display lock every 10 ms,
// sooner after keys, with the X events handled while it waits; after a pass
// that found nothing to do, a sleep until an event comes or the program
// changes the screen (window_geometry.h, kIdlePassPauseMs).
#include <poll.h>
#include <time.h>

#include "console/key_poll_pacing.h"
#include "gfx/drivers/x11_driver_state.h"
#include "gfx/window/time_slice.h"
#include "gfx/window/window_geometry.h"

namespace x11 {

int64_t NowUs() { return KeyPollClockUs(); }

void SleepMs(int32_t ms) {
  timespec rest = {ms / 1000, (ms % 1000) * 1000000L};
  while (nanosleep(&rest, &rest) != 0) {
  }
}

namespace {

// True when it showed changed rows.
bool Pass() {
  HandlePendingEvents();
  const bool showed = CopyDirtyRows();
  XFlush(g_x.display);
  return showed;
}

// The pause between passes; true when events came meanwhile. They are handled
// at once (a moving pointer only updates the mouse state); a key or a mouse
// button ends the pause, so that the pass showing the program's answer follows
// at once instead of up to a period later.
bool WaitForNextPass(int32_t ms) {
  const int64_t end = NowUs() + int64_t{ms} * 1000;
  pollfd connection{ConnectionNumber(g_x.display), POLLIN, 0};
  bool came = false;
  for (int64_t left = end - NowUs(); left > 0; left = end - NowUs()) {
    const int ready = poll(&connection, 1, static_cast<int>((left + 999) / 1000));
    if (ready < 0) {
      SleepMs(static_cast<int32_t>((left + 999) / 1000));  // not a busy loop, whatever poll's fault
      return true;
    }
    if (ready == 0) return came;
    came = true;
    std::lock_guard<std::recursive_mutex> hold(g_lock);
    if (HandlePendingEvents()) return true;
  }
  return came;
}

// After a pass that found nothing to do and a pause in which nothing came:
// sleeps until an event comes, the program changes the screen (seen: the
// count of changes at the pass) or kIdlePassPauseMs pass.
void SleepWhileIdle(uint32_t seen) {
  {
    std::lock_guard<std::recursive_mutex> hold(g_lock);
    if (XEventsQueued(g_x.display, QueuedAlready) > 0) return;  // read, not on the socket
  }
  if (!BeginIdleWait(seen)) return;
  pollfd wake[2] = {{ConnectionNumber(g_x.display), POLLIN, 0},
                    {static_cast<int>(IdleWakeHandle()), POLLIN, 0}};
  if (poll(wake, wake[1].fd >= 0 ? 2 : 1, kIdlePassPauseMs) < 0) SleepMs(kPassPeriodUs / 1000);
  EndIdleWait();
}

}  // namespace

void UpdateThread() {
  int64_t due_us = NowUs();
  FollowUps follow_ups;
  while (g_running.load()) {
    bool showed = false, key_queued = false;
    uint32_t seen = 0;
    {
      std::lock_guard<std::recursive_mutex> hold(g_lock);
      showed = Pass();
      key_queued = g_x.key_queued;
      g_x.key_queued = false;
      seen = ScreenChanges();
    }
    g_passes.fetch_add(1);
    const bool came = WaitForNextPass(NextPassPauseMs(NowUs(), key_queued, showed, &due_us, &follow_ups));
    if (g_running.load() && PassFoundNothing(showed, came || key_queued, follow_ups)) {
      SleepWhileIdle(seen);
    }
  }
}

}  // namespace x11
