// Giving up the time slice on Windows.
#include "gfx/window/time_slice.h"
#include "gfx/window/window_state_win32.h"

void YieldTimeSlice() {
  if (!SwitchToThread()) Sleep(0);
}
