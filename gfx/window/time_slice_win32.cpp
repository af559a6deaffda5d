// Giving up the time slice and the key-queued signal on Windows.
#include "gfx/window/time_slice.h"
#include "gfx/window/window_state_win32.h"

namespace {
// Auto-reset: one wait takes one signal. A signal left from a key already taken
// only ends one later wait early.
HANDLE KeyQueuedEvent() {
  static HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  return event;
}
}  // namespace

void YieldTimeSlice() {
  if (!SwitchToThread()) Sleep(0);
}

void SignalKeyQueued() {
  if (HANDLE event = KeyQueuedEvent()) SetEvent(event);
}

bool WaitForKeyQueued(int32_t ms) {
  HANDLE event = KeyQueuedEvent();
  if (!event) {
    Sleep(static_cast<DWORD>(ms));
    return false;
  }
  return WaitForSingleObject(event, static_cast<DWORD>(ms)) == WAIT_OBJECT_0;
}
