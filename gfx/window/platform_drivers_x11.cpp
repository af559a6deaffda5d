// The Linux display drivers in the order they are tried: "X11" for framebuffer
// screens, "OpenGL" for screens with flag 0x02 (each refuses the other's
// screens). When neither starts, the mode switch fails and the driver that
// tried says why (gfx/screen_failure.h); the program decides what to do.
#include "gfx/drivers/driver_gl_x11.h"
#include "gfx/drivers/driver_x11.h"
#include "gfx/window/platform_drivers.h"

namespace {

const DisplayDriver kX11Driver{
    .name = "X11",
    .init = X11Init,
    .exit = X11Exit,
    .lock = X11Lock,
    .unlock = X11Unlock,
    .set_palette = X11SetPalette,
    .wait_vsync = X11WaitRetrace,
    .get_mouse = X11GetMouse,
    .set_mouse = X11SetMouse,
    .set_title = X11SetTitle,
    .fetch_modes = nullptr,
    .flip = nullptr,
};

const DisplayDriver kOpenGlDriver{
    .name = "OpenGL",
    .init = GlInit,
    .exit = GlExit,
    .lock = GlNoLock,
    .unlock = GlNoLock,
    .set_palette = GlNoPalette,
    .wait_vsync = GlWaitRetrace,
    .get_mouse = GlGetMouse,
    .set_mouse = GlSetMouse,
    .set_title = GlSetTitle,
    .fetch_modes = GlFetchModes,
    .flip = GlFlip,
};

}  // namespace

const DisplayDriver* const* PlatformDisplayDrivers() {
  static const DisplayDriver* const kDrivers[] = {&kX11Driver, &kOpenGlDriver, nullptr};
  return kDrivers;
}
