// The X11 driver's update thread: a pass under the display lock every 10 ms,
// sooner after keys, with the X events handled while it waits.
#include <poll.h>
#include <time.h>

#include "gfx/drivers/x11_driver_state.h"
#include "gfx/window/window_geometry.h"

namespace x11 {

int64_t NowUs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

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

// The pause between passes. Events that come meanwhile are handled at once (a
// moving pointer only updates the mouse state); a key or a mouse button ends
// the pause, so that the pass showing the program's answer follows at once
// instead of up to a period later.
void WaitForNextPass(int32_t ms) {
  const int64_t end = NowUs() + int64_t{ms} * 1000;
  pollfd connection{ConnectionNumber(g_x.display), POLLIN, 0};
  for (int64_t left = end - NowUs(); left > 0; left = end - NowUs()) {
    const int ready = poll(&connection, 1, static_cast<int>((left + 999) / 1000));
    if (ready < 0) {
      SleepMs(static_cast<int32_t>((left + 999) / 1000));  // not a busy loop, whatever poll's fault
      return;
    }
    if (ready == 0) return;
    std::lock_guard<std::recursive_mutex> hold(g_lock);
    if (HandlePendingEvents()) return;
  }
}

}  // namespace

void UpdateThread() {
  int64_t due_us = NowUs();
  FollowUps follow_ups;
  while (g_running.load()) {
    bool showed = false, key_queued = false;
    {
      std::lock_guard<std::recursive_mutex> hold(g_lock);
      showed = Pass();
      key_queued = g_x.key_queued;
      g_x.key_queued = false;
    }
    g_passes.fetch_add(1);
    WaitForNextPass(NextPassPauseMs(NowUs(), key_queued, showed, &due_us, &follow_ups));
  }
}

}  // namespace x11
