// The mouse operations of the console hook table while a graphics screen is
// open; both go to the driver under the display lock.
#include "console/runtime.h"
#include "gfx/input/keys.h"
#include "gfx/screen.h"
#include "gfx/window/display_driver.h"

int32_t GfxReadMouse(int32_t* x, int32_t* y, int32_t* wheel, int32_t* buttons) {
  // Any out-pointer may be null: the driver always gets somewhere to write.
  int32_t scratch[4];
  if (!x) x = &scratch[0];
  if (!y) y = &scratch[1];
  if (!wheel) wheel = &scratch[2];
  if (!buttons) buttons = &scratch[3];
  const DisplayDriver* d = g_screen ? g_screen->driver : nullptr;
  if (d && d->get_mouse) {
    const bool took = ScreenLock();
    const int32_t result = d->get_mouse(x, y, wheel, buttons);
    ScreenUnlock(took);
    if (result == 0) return 0;
  }
  *x = *y = *wheel = *buttons = -1;
  return SetLastErrorCode(kErrorBadArgument);
}

int32_t GfxSetMouse(int32_t x, int32_t y, int32_t cursor) {
  if (!g_screen) return SetLastErrorCode(kErrorBadArgument);
  const DisplayDriver* d = g_screen->driver;
  const bool took = ScreenLock();
  if (d && d->set_mouse) d->set_mouse(x, y, cursor);
  ScreenUnlock(took);
  return 0;
}
