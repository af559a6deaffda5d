// Fullscreen and back for an X window. Without a window manager nobody honours
// _NET_WM_STATE, so the window is moved over the whole screen by hand.
#include "gfx/window/x11_fullscreen.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include "gfx/window/window_geometry.h"

bool X11WindowManagerRuns(Display* d) {
  Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  bool found = XGetWindowProperty(d, DefaultRootWindow(d), check, 0, 1, False, XA_WINDOW, &type,
                                  &format, &count, &after, &data) == Success &&
               count == 1;
  if (data) XFree(data);
  return found;
}

void X11SetFixedSize(Display* d, Window w, bool fixed, int32_t width, int32_t height) {
  XSizeHints* hints = XAllocSizeHints();
  if (!hints) return;
  if (fixed) {
    hints->flags = PMinSize | PMaxSize;
    hints->min_width = hints->max_width = width;
    hints->min_height = hints->max_height = height;
  }
  XSetWMNormalHints(d, w, hints);
  XFree(hints);
}

void X11SetFullscreen(Display* d, Window w, bool fullscreen, int32_t windowed_w, int32_t windowed_h) {
  const int screen = DefaultScreen(d);
  if (X11WindowManagerRuns(d)) {
    X11SetFixedSize(d, w, !fullscreen, windowed_w, windowed_h);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(d, "_NET_WM_STATE", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = fullscreen ? 1 : 0;
    e.xclient.data.l[1] = static_cast<long>(XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", False));
    e.xclient.data.l[3] = 1;
    XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
  } else if (fullscreen) {
    X11SetFixedSize(d, w, false, 0, 0);
    XMoveResizeWindow(d, w, 0, 0, static_cast<unsigned>(DisplayWidth(d, screen)),
                      static_cast<unsigned>(DisplayHeight(d, screen)));
    XRaiseWindow(d, w);
  } else {
    int32_t x = 0, y = 0;
    CentredOrigin(DisplayWidth(d, screen), DisplayHeight(d, screen), windowed_w, windowed_h, &x, &y);
    XMoveResizeWindow(d, w, x, y, static_cast<unsigned>(windowed_w), static_cast<unsigned>(windowed_h));
    X11SetFixedSize(d, w, true, windowed_w, windowed_h);
  }
}
