// Calls that let a program reach the driver operations the mode switch itself
// never uses: the retrace wait, the fullscreen mode list, the caption and the
// explicit present of an OpenGL screen. Only the caption takes the display
// lock: the drivers run the others on the caller's thread.
#include <cstdlib>
#include <cstring>

#include "console/runtime.h"
#include "gfx/screen.h"
#include "gfx/window/display_driver.h"

namespace {

int32_t NoScreen() { return SetLastErrorCode(kErrorBadArgument); }

// With no screen open, the first driver of the list that can answer.
int32_t* FetchFromList(int32_t depth, int32_t* count) {
  for (const DisplayDriver* const* d = DisplayDriverList(); *d; ++d) {
    if (!(*d)->fetch_modes) continue;
    if (int32_t* modes = (*d)->fetch_modes(depth, count)) return modes;
  }
  return nullptr;
}

}  // namespace

int32_t ScreenWaitVsync() {
  if (!g_screen || !g_screen->driver) return NoScreen();
  if (g_screen->driver->wait_vsync) g_screen->driver->wait_vsync();
  return 0;
}

int32_t* ScreenFetchModes(int32_t depth, int32_t* count) {
  int32_t scratch = 0;
  if (!count) count = &scratch;
  *count = 0;
  if (!g_screen || !g_screen->driver) return FetchFromList(depth, count);
  if (!g_screen->driver->fetch_modes) return nullptr;
  return g_screen->driver->fetch_modes(depth, count);
}

void ScreenFreeModes(int32_t* modes) { std::free(modes); }

// Under the lock: a fullscreen switch on the update thread makes its new
// window from the title buffer, and must find either the old title or the new
// one, with the window it goes to.
int32_t ScreenSetTitle(const char* title) {
  if (!title) return SetLastErrorCode(kErrorBadArgument);
  const bool took = ScreenLock();
  std::strncpy(g_title_buffer, title, sizeof g_title_buffer - 1);
  g_title_buffer[sizeof g_title_buffer - 1] = '\0';
  g_title = g_title_buffer;
  if (g_screen && g_screen->driver && g_screen->driver->set_title) {
    g_screen->driver->set_title(g_title);
  }
  ScreenUnlock(took);
  return 0;
}

int32_t ScreenFlip() {
  if (!g_screen || !g_screen->driver) return NoScreen();
  if (g_screen->driver->flip) g_screen->driver->flip();
  return 0;
}
