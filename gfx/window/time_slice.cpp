// The idle update thread's wake-up, common to both platforms.
//
// The program's thread counts its screen changes; the update thread announces
// its idle wait and then looks at the count once more. Both steps are
// sequentially consistent, so of "the change counted, then the flag read" and
// "the flag set, then the count read" one always sees the other: a change
// either keeps the update thread from waiting or raises the signal that ends
// its wait. The signal itself (a system call, and under Wine a trip to its
// server) is raised at most once per idle wait, never per drawing call.
#include <atomic>

#include "gfx/window/time_slice.h"

namespace {
std::atomic<uint32_t> g_changes{0};
std::atomic<bool> g_idle_waiting{false};
}  // namespace

void NoteScreenChanged() {
  g_changes.fetch_add(1);
  if (g_idle_waiting.load() && g_idle_waiting.exchange(false)) RaiseIdleWake();
}

uint32_t ScreenChanges() { return g_changes.load(); }

bool BeginIdleWait(uint32_t seen) {
  g_idle_waiting.store(true);
  if (g_changes.load() == seen) return true;
  g_idle_waiting.store(false);
  return false;
}

void EndIdleWait() {
  g_idle_waiting.store(false);
  ClearIdleWake();
}
