// Giving up the time slice and the key-queued signal in a browser. The page has
// one thread and no update thread: giving up the slice is a turn for the
// browser now and then (it brings the keys in), and a paced poll's wait is the
// page's own wait, which the window's events end.
#include "console/web_host.h"
#include "gfx/window/time_slice.h"

namespace {
bool g_key_queued = false;
}  // namespace

void YieldTimeSlice() { WebYieldIfDue(); }

void SignalKeyQueued() { g_key_queued = true; }

bool WaitForKeyQueued(int32_t ms) {
  if (!g_key_queued) WebWait(ms);
  const bool queued = g_key_queued;
  g_key_queued = false;
  return queued;
}

// Nothing waits idle: there is no update thread to wake.
void RaiseIdleWake() {}
void ClearIdleWake() {}
intptr_t IdleWakeHandle() { return -1; }
