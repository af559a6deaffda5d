// The "OpenGL" display driver's entry. The OpenGL driver itself is not built yet:
// until it is, init refuses to start (-1), exactly as on a machine without
// OpenGL, so that driver selection ends at the drivers before it. Its exit ends
// with WindowClose as the real one will, and is safe after a refused init.
#include <cstring>

#include "gfx/drivers/drivers_win32.h"
#include "gfx/window/window_state_win32.h"

int32_t GlInit(const char*, int32_t, int32_t, int32_t, int32_t, int32_t) {
  std::memset(&g_window, 0, sizeof g_window);
  return -1;
}

void GlExit() { WindowClose(); }

// OpenGL runs on the program's thread: no display lock, no palette.
void GlNoLock() {}
void GlNoPalette(int32_t, int32_t, int32_t, int32_t) {}

int32_t* GlFetchModes(int32_t, int32_t* count) {
  if (count) *count = 0;
  return nullptr;
}

// Nothing to present while the driver cannot start.
void GlFlip() {}
