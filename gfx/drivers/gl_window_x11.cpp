// The OpenGL windows on X: a top-level frame that a window manager sees and
// that takes the events, and inside it the view that OpenGL draws into, of the
// configuration's visual and exactly the screen's size. Fullscreen only makes
// the frame cover the screen, with the view centred on black: the display mode,
// the view and the rendering context stay as they are.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "gfx/drivers/gl_state_x11.h"
#include "gfx/window/window_geometry.h"
#include "gfx/window/x11_fullscreen.h"
#include "gfx/window/x11_window_props.h"

namespace glx {
namespace {

constexpr long kFrameEvents = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                              PointerMotionMask | LeaveWindowMask | StructureNotifyMask |
                              FocusChangeMask;

bool OpenFrame(const char* title) {
  Display* d = g_gl.display;
  const int screen = DefaultScreen(d);
  int32_t x = 0, y = 0;
  CentredOrigin(DisplayWidth(d, screen), DisplayHeight(d, screen), g_gl.width, g_gl.height, &x, &y);
  XSetWindowAttributes a{};
  a.background_pixel = BlackPixel(d, screen);
  a.event_mask = kFrameEvents;
  g_gl.frame = XCreateWindow(d, RootWindow(d, screen), x, y, static_cast<unsigned>(g_gl.width),
                             static_cast<unsigned>(g_gl.height), 0, CopyFromParent, InputOutput,
                             CopyFromParent, CWBackPixel | CWEventMask, &a);
  if (!g_gl.frame) return false;
  g_gl.frame_w = g_gl.width;
  g_gl.frame_h = g_gl.height;
  X11StoreTitle(d, g_gl.frame, title);
  X11SetFixedSize(d, g_gl.frame, true, g_gl.width, g_gl.height);
  g_gl.delete_window = X11StoreWindowProperties(d, g_gl.frame);
  return true;
}

// Its events go to the frame: the view selects none of its own.
bool OpenView() {
  Display* d = g_gl.display;
  XVisualInfo* visual = g_gl.gl.get_visual_from_fb_config(d, g_gl.config);
  if (!visual) return false;
  g_gl.colormap = XCreateColormap(d, g_gl.frame, visual->visual, AllocNone);
  XSetWindowAttributes a{};
  a.colormap = g_gl.colormap;
  a.border_pixel = 0;
  a.background_pixel = 0;
  g_gl.view = XCreateWindow(d, g_gl.frame, 0, 0, static_cast<unsigned>(g_gl.width),
                            static_cast<unsigned>(g_gl.height), 0, visual->depth, InputOutput,
                            visual->visual, CWColormap | CWBorderPixel | CWBackPixel, &a);
  XFree(visual);
  return g_gl.view != 0;
}

}  // namespace

bool OpenWindows(const char* title, bool fullscreen) {
  if (!OpenFrame(title) || !OpenView()) return false;
  XMapWindow(g_gl.display, g_gl.view);
  XMapRaised(g_gl.display, g_gl.frame);
  if (fullscreen) ToggleFullscreen();
  XSync(g_gl.display, False);
  return true;
}

// The view moves with the switch to where the frame's new size puts it, so
// that no frame is shown off-centre; a window manager that gives the frame
// another size moves it again (ConfigureNotify, gl_events_x11.cpp).
void ToggleFullscreen() {
  Display* d = g_gl.display;
  g_gl.fullscreen = !g_gl.fullscreen;
  X11SetFullscreen(d, g_gl.frame, g_gl.fullscreen, g_gl.width, g_gl.height);
  if (g_gl.fullscreen) PlaceView(DisplayWidth(d, DefaultScreen(d)), DisplayHeight(d, DefaultScreen(d)));
  else PlaceView(g_gl.width, g_gl.height);
}

void PlaceView(int32_t frame_w, int32_t frame_h) {
  g_gl.frame_w = frame_w;
  g_gl.frame_h = frame_h;
  CentredOrigin(frame_w, frame_h, g_gl.width, g_gl.height, &g_gl.view_x, &g_gl.view_y);
  XMoveWindow(g_gl.display, g_gl.view, g_gl.view_x, g_gl.view_y);
}

void CloseWindows() {
  Display* d = g_gl.display;
  if (g_gl.view) XDestroyWindow(d, g_gl.view);
  if (g_gl.frame) XDestroyWindow(d, g_gl.frame);
  if (g_gl.colormap) XFreeColormap(d, g_gl.colormap);
  g_gl.view = g_gl.frame = 0;
  g_gl.colormap = 0;
}

}  // namespace glx
