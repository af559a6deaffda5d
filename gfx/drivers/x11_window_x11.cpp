// The X11 driver's window: made at the display's whole-number scale, titled,
// given its icon and size hints, switched to full screen and back, and closed
// with the display connection.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <X11/Xresource.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "gfx/drivers/x11_driver_state.h"
#include "gfx/window/display_scale.h"
#include "gfx/window/program_icon.h"
#include "gfx/window/window_geometry.h"

namespace x11 {
namespace {

bool WindowManagerRuns() {
  Atom check = XInternAtom(g_x.display, "_NET_SUPPORTING_WM_CHECK", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  bool found = XGetWindowProperty(g_x.display, DefaultRootWindow(g_x.display), check, 0, 1, False,
                                  XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
               count == 1;
  if (data) XFree(data);
  return found;
}

void SetSizeHints(bool fixed) {
  XSizeHints* hints = XAllocSizeHints();
  if (!hints) return;
  if (fixed) {
    hints->flags = PMinSize | PMaxSize;
    hints->min_width = hints->max_width = g_x.width * g_x.window_scale;
    hints->min_height = hints->max_height = g_x.height * g_x.window_scale;
  }
  XSetWMNormalHints(g_x.display, g_x.window, hints);
  XFree(hints);
}

}  // namespace

// With a window manager, its fullscreen state; without one, the window itself
// covers the screen (and comes back to its place).
void ToggleFullscreen() {
  g_x.fullscreen = !g_x.fullscreen;
  Display* d = g_x.display;
  int screen = DefaultScreen(d);
  if (WindowManagerRuns()) {
    SetSizeHints(!g_x.fullscreen);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = g_x.window;
    e.xclient.message_type = XInternAtom(d, "_NET_WM_STATE", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = g_x.fullscreen ? 1 : 0;
    e.xclient.data.l[1] = static_cast<long>(XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", False));
    e.xclient.data.l[3] = 1;
    XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
  } else if (g_x.fullscreen) {
    SetSizeHints(false);
    XMoveResizeWindow(d, g_x.window, 0, 0, static_cast<unsigned>(DisplayWidth(d, screen)),
                      static_cast<unsigned>(DisplayHeight(d, screen)));
    XRaiseWindow(d, g_x.window);
  } else {
    const int32_t w = g_x.width * g_x.window_scale, h = g_x.height * g_x.window_scale;
    int32_t x = 0, y = 0;
    CentredOrigin(DisplayWidth(d, screen), DisplayHeight(d, screen), w, h, &x, &y);
    XMoveResizeWindow(d, g_x.window, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h));
    SetSizeHints(true);
  }
}

void SetWindowTitle(const char* title) {
  if (!g_x.display || !g_x.window || !title) return;
  XStoreName(g_x.display, g_x.window, title);
  Atom utf8 = XInternAtom(g_x.display, "UTF8_STRING", False);
  XChangeProperty(g_x.display, g_x.window, XInternAtom(g_x.display, "_NET_WM_NAME", False), utf8, 8,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(title),
                  static_cast<int>(std::strlen(title)));
}

namespace {
// _NET_WM_ICON: the drawing the Windows icon is made from.
void SetWindowIcon() {
  std::vector<uint32_t> values = ProgramIconProperty();
  std::vector<long> longs(values.begin(), values.end());  // format 32 travels as longs
  XChangeProperty(g_x.display, g_x.window, XInternAtom(g_x.display, "_NET_WM_ICON", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(longs.data()),
                  static_cast<int>(longs.size()));
}

}  // namespace

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
  SetWindowIcon();
  SetSizeHints(true);
  XClassHint* class_hint = XAllocClassHint();
  if (class_hint) {
    class_hint->res_name = const_cast<char*>("tavrel");
    class_hint->res_class = const_cast<char*>("Tavrel");
    XSetClassHint(d, g_x.window, class_hint);
    XFree(class_hint);
  }
  g_x.delete_window = XInternAtom(d, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(d, g_x.window, &g_x.delete_window, 1);
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
