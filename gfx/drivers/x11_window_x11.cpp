// The X11 driver's window: made at the display's whole-number scale, titled,
// given its icon and size hints (x11_window_props.h), switched to full screen
// and back (x11_fullscreen.h), and closed with the display connection.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <X11/Xresource.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "gfx/drivers/x11_driver_state.h"
#include "gfx/window/display_scale.h"
#include "gfx/window/window_geometry.h"
#include "gfx/window/x11_fullscreen.h"
#include "gfx/window/x11_window_props.h"

namespace x11 {
namespace {

void SetSizeHints(bool fixed) {
  X11SetFixedSize(g_x.display, g_x.window, fixed, g_x.width * g_x.window_scale,
                  g_x.height * g_x.window_scale);
}

}  // namespace

void ToggleFullscreen() {
  g_x.fullscreen = !g_x.fullscreen;
  X11SetFullscreen(g_x.display, g_x.window, g_x.fullscreen, g_x.width * g_x.window_scale,
                   g_x.height * g_x.window_scale);
}

void SetWindowTitle(const char* title) { X11StoreTitle(g_x.display, g_x.window, title); }

// The desktop's density as the X server's resources give it (Xft.dpi, which
// desktops set with their scaling), 96 when it is not given.
int32_t ResourceDpi(Display* d) {
  const char* resources = XResourceManagerString(d);
  if (!resources) return kBaseDpi;
  XrmInitialize();
  XrmDatabase db = XrmGetStringDatabase(resources);
  if (!db) return kBaseDpi;
  char* type = nullptr;
  XrmValue value{};
  double dpi = kBaseDpi;
  if (XrmGetResource(db, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr) {
    dpi = std::strtod(value.addr, nullptr);
  }
  XrmDestroyDatabase(db);
  return dpi > 0 && dpi < 10000 ? static_cast<int32_t>(dpi) : kBaseDpi;
}

int32_t ChooseWindowScale() {
  Display* d = g_x.display;
  int screen = DefaultScreen(d);
  // The frame a window manager adds is not known before the window is mapped.
  return DisplayScaleFactor(ResourceDpi(d), g_x.width, g_x.height, 0, 0, DisplayWidth(d, screen),
                            DisplayHeight(d, screen));
}

bool OpenWindow(const char* title) {
  Display* d = g_x.display;
  int screen = DefaultScreen(d);
  g_x.window_scale = ChooseWindowScale();
  g_x.placement = X11Placement{g_x.window_scale, 0, 0};
  const int32_t w = g_x.width * g_x.window_scale, h = g_x.height * g_x.window_scale;
  int32_t x = 0, y = 0;
  CentredOrigin(DisplayWidth(d, screen), DisplayHeight(d, screen), w, h, &x, &y);
  XSetWindowAttributes attributes{};
  attributes.background_pixel = BlackPixel(d, screen);
  attributes.event_mask = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                          PointerMotionMask | LeaveWindowMask | ExposureMask | StructureNotifyMask |
                          FocusChangeMask;
  g_x.window = XCreateWindow(d, RootWindow(d, screen), x, y, static_cast<unsigned>(w),
                             static_cast<unsigned>(h), 0, CopyFromParent, InputOutput,
                             CopyFromParent, CWBackPixel | CWEventMask, &attributes);
  if (!g_x.window) return false;
  g_x.window_w = w;
  g_x.window_h = h;
  SetWindowTitle(title);
  SetSizeHints(true);
  g_x.delete_window = X11StoreWindowProperties(d, g_x.window);
  g_x.gc = XCreateGC(d, g_x.window, 0, nullptr);
  XMapRaised(d, g_x.window);
  XSync(d, False);
  return g_x.gc != nullptr;
}

void CloseDisplay() {
  FreeImage();
  if (g_x.gc) XFreeGC(g_x.display, g_x.gc);
  if (g_x.window) XDestroyWindow(g_x.display, g_x.window);
  if (g_x.display) XCloseDisplay(g_x.display);
  g_x = X11State{};
}

}  // namespace x11
