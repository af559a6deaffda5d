// The display lock: one recursive critical section shared by the program's thread
// and the update thread. Recursion matters: the window procedure runs inside the
// update thread's pass, which already holds the lock, and may lock again.
#include "gfx/window/window_state_win32.h"

void WindowLock() {
  if (g_lock_ready) EnterCriticalSection(&g_display_lock);
}

void WindowUnlock() {
  if (g_lock_ready) LeaveCriticalSection(&g_display_lock);
}
