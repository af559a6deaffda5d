// The Windows display drivers in the order they are tried: "DirectX", "GDI",
// "OpenGL", then the end of the list.
#include "gfx/drivers/drivers_win32.h"
#include "gfx/window/platform_drivers.h"
#include "gfx/window/window_state_win32.h"

namespace {

const DisplayDriver kDirectXDriver{
    .name = "DirectX",
    .init = DxInit,
    .exit = WindowClose,
    .lock = WindowLock,
    .unlock = WindowUnlock,
    .set_palette = WindowSetPaletteEntry,
    .wait_vsync = DxWaitVsync,
    .get_mouse = WindowGetMouse,
    .set_mouse = WindowSetMouse,
    .set_title = WindowSetTitle,
    .fetch_modes = DxFetchModes,
    .flip = nullptr,
};

const DisplayDriver kGdiDriver{
    .name = "GDI",
    .init = GdiInit,
    .exit = WindowClose,
    .lock = WindowLock,
    .unlock = WindowUnlock,
    .set_palette = WindowSetPaletteEntry,
    .wait_vsync = WindowWaitRetrace,
    .get_mouse = WindowGetMouse,
    .set_mouse = WindowSetMouse,
    .set_title = WindowSetTitle,
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
    .wait_vsync = WindowWaitRetrace,
    .get_mouse = WindowGetMouse,
    .set_mouse = WindowSetMouse,
    .set_title = WindowSetTitle,
    .fetch_modes = GlFetchModes,
    .flip = GlFlip,
};

}  // namespace

const DisplayDriver* const* PlatformDisplayDrivers() {
  static const DisplayDriver* const kDrivers[] = {&kDirectXDriver, &kGdiDriver, &kOpenGlDriver,
                                                  nullptr};
  return kDrivers;
}
