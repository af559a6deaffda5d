// The browser's one display driver, "Canvas": framebuffer screens on the page's
// canvas. It refuses OpenGL screens, so a mode switch that asks for one fails.
#include "gfx/drivers/driver_web.h"
#include "gfx/window/platform_drivers.h"

namespace {

const DisplayDriver kCanvasDriver{
    .name = "Canvas",
    .init = WebInit,
    .exit = WebExit,
    .lock = WebLock,
    .unlock = WebUnlock,
    .set_palette = WebSetPalette,
    .wait_vsync = WebWaitRetrace,
    .get_mouse = WebGetMouse,
    .set_mouse = WebSetMouse,
    .set_title = WebSetTitle,
    .fetch_modes = nullptr,
    .flip = nullptr,
};

}  // namespace

const DisplayDriver* const* PlatformDisplayDrivers() {
  static const DisplayDriver* const kDrivers[] = {&kCanvasDriver, nullptr};
  return kDrivers;
}
