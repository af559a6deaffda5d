// The Linux display drivers in the order they are tried: "X11", then a last
// entry that, when no X display can be used, says so on the terminal and ends
// the program, so that the game never plays on with no picture.
#include <cstdio>
#include <cstdlib>

#include "gfx/drivers/driver_x11.h"
#include "gfx/window/platform_drivers.h"

namespace {

int32_t NoDisplayInit(const char*, int32_t, int32_t, int32_t, int32_t, int32_t) {
  std::fflush(stdout);
  std::fprintf(stderr, "\r\ntavrel: cannot open the game window: no X display (is DISPLAY set?)\r\n");
  std::exit(1);
}

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

const DisplayDriver kNoDisplay{
    .name = "none",
    .init = NoDisplayInit,
    .exit = nullptr,
    .lock = nullptr,
    .unlock = nullptr,
    .set_palette = nullptr,
    .wait_vsync = nullptr,
    .get_mouse = nullptr,
    .set_mouse = nullptr,
    .set_title = nullptr,
    .fetch_modes = nullptr,
    .flip = nullptr,
};

}  // namespace

const DisplayDriver* const* PlatformDisplayDrivers() {
  static const DisplayDriver* const kDrivers[] = {&kX11Driver, &kNoDisplay, nullptr};
  return kDrivers;
}
