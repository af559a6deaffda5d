// The "DirectX" display driver's entry. The DirectDraw driver itself is not built
// yet: until it is, init refuses to start (-1), exactly as on a machine without
// DirectDraw, so that driver selection falls through to "GDI". Exit is the common
// WindowClose, which does nothing after a refused init.
#include <cstring>

#include "gfx/drivers/drivers_win32.h"
#include "gfx/window/window_state_win32.h"

int32_t DxInit(const char*, int32_t, int32_t, int32_t, int32_t, int32_t) {
  std::memset(&g_window, 0, sizeof g_window);
  return -1;
}

// No display modes to offer while the driver cannot start.
int32_t* DxFetchModes(int32_t, int32_t* count) {
  if (count) *count = 0;
  return nullptr;
}

void DxWaitVsync() { WindowWaitRetrace(); }
