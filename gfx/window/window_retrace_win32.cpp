// Waiting for about one vertical retrace where the display cannot tell us.
#include "gfx/screen.h"
#include "gfx/window/window_geometry.h"
#include "gfx/window/window_state_win32.h"

void WindowWaitRetrace() {
  Sleep(static_cast<DWORD>(RetraceMilliseconds(g_screen ? g_screen->refresh_rate : 0)));
}
