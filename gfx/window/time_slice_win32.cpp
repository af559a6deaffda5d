// Giving up the time slice and the key-queued signal on Windows.
//
// The signal is a flag under a slim reader/writer lock with a condition
// variable rather than an event: Wine keeps events in its server, so every
// key's SetEvent and every wake-up of the waiting program thread were a round
// trip through a process that is busiest exactly when keys arrive (it also
// routes the input and the window's messages), which showed as a few more
// milliseconds on the slowest key-to-picture times. Condition variables stay
// in the process.
#include "gfx/window/time_slice.h"
#include "gfx/window/window_state_win32.h"

namespace {
SRWLOCK g_signal_lock = SRWLOCK_INIT;
CONDITION_VARIABLE g_signal_changed = CONDITION_VARIABLE_INIT;
// One wait takes one signal; a signal left from a key already taken only ends
// one later wait early.
bool g_signalled = false;
}  // namespace

void YieldTimeSlice() {
  if (!SwitchToThread()) Sleep(0);
}

void SignalKeyQueued() {
  AcquireSRWLockExclusive(&g_signal_lock);
  g_signalled = true;
  ReleaseSRWLockExclusive(&g_signal_lock);
  WakeConditionVariable(&g_signal_changed);
}

// A wake-up without the signal (the system allows them) ends the wait early,
// which only makes the caller look for a key once more.
bool WaitForKeyQueued(int32_t ms) {
  AcquireSRWLockExclusive(&g_signal_lock);
  if (!g_signalled) SleepConditionVariableSRW(&g_signal_changed, &g_signal_lock, static_cast<DWORD>(ms), 0);
  const bool raised = g_signalled;
  g_signalled = false;
  ReleaseSRWLockExclusive(&g_signal_lock);
  return raised;
}

// An event, unlike the key signal: the update thread waits for it together with
// its window's messages. It is raised at most once per idle wait.
intptr_t IdleWakeHandle() {
  static const HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  return reinterpret_cast<intptr_t>(event);
}

void RaiseIdleWake() {
  if (HANDLE event = reinterpret_cast<HANDLE>(IdleWakeHandle())) SetEvent(event);
}

void ClearIdleWake() {
  if (HANDLE event = reinterpret_cast<HANDLE>(IdleWakeHandle())) ResetEvent(event);
}
