// The "OpenGL" display driver on X. It serves only screens with flag 0x02 and
// does not show the framebuffer: it opens a window whose GLX rendering context
// is current on the program's thread until the screen closes, and the program
// draws with OpenGL and presents with flip. There is no update thread: flip
// handles the window's events, so keys, the close box and Alt+Enter reach the
// program only when it presents. libGL and libXrandr are loaded at run time.
#include "gfx/drivers/driver_gl_x11.h"

#include <time.h>

#include "console/key_poll_pacing.h"
#include "gfx/drivers/gl_state_x11.h"
#include "gfx/screen.h"
#include "gfx/window/screen_failure_note.h"
#include "gfx/window/window_geometry.h"
#include "gfx/window/x11_display.h"
#include "gfx/window/x11_window_props.h"

using namespace glx;

namespace {

// libGL, GLX on the server and a configuration for the request; anything
// missing means that this display cannot show an OpenGL screen.
bool FindConfig(int32_t depth, int32_t flags) {
  int error_base = 0, event_base = 0;
  if (!LoadLibrary() || !g_gl.gl.query_extension(g_gl.display, &error_base, &event_base)) return false;
  g_gl.config = ChooseConfig(depth, flags);
  return g_gl.config != nullptr;
}

bool MakeContext() {
  g_gl.context = g_gl.gl.create_new_context(g_gl.display, g_gl.config, glx_attr::kRgbaType, nullptr, True);
  return g_gl.context && g_gl.gl.make_current(g_gl.display, g_gl.view, g_gl.context);
}

bool Open(const char* title, int32_t depth, int32_t flags) {
  g_gl.display = X11OpenDisplay();
  if (!g_gl.display) return false;
  if (!FindConfig(depth, flags)) {
    NoteScreenFailure(ScreenFailure::kUnsupportedScreen);
    return false;
  }
  if (!OpenWindows(title, flags & kDisplayFullscreen) || !MakeContext()) {
    NoteScreenFailure(ScreenFailure::kWindowFailed);
    return false;
  }
  return true;
}

void SleepMs(int32_t ms) {
  timespec rest = {ms / 1000, (ms % 1000) * 1000000L};
  while (nanosleep(&rest, &rest) != 0) {
  }
}

bool EnumSetting(uint32_t index, GlDisplaySetting* out, void* context) {
  const auto* settings = static_cast<const std::vector<GlDisplaySetting>*>(context);
  if (index >= settings->size()) return false;
  *out = (*settings)[index];
  return true;
}

// The bits per pixel of the screen's depth (24-bit colour is stored in 32).
int32_t BitsPerPixel(Display* d) {
  const int depth = DefaultDepth(d, DefaultScreen(d));
  int count = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(d, &count);
  int32_t bits = depth;
  for (int i = 0; formats && i < count; ++i) {
    if (formats[i].depth == depth) bits = formats[i].bits_per_pixel;
  }
  if (formats) XFree(formats);
  return bits;
}

}  // namespace

int32_t GlInit(const char* title, int32_t width, int32_t height, int32_t depth, int32_t,
               int32_t flags) {
  if (!(flags & kDisplayOpenGl)) return -1;
  if (g_gl.display) return -1;  // one screen at a time
  g_gl.width = width;
  g_gl.height = height;
  if (!Open(title, depth, flags)) return -1;
  if (g_screen) g_screen->refresh_rate = CurrentRefreshRate(g_gl.display);
  return 0;
}

void GlExit() {
  Display* d = g_gl.display;
  if (d && g_gl.context) {
    g_gl.gl.make_current(d, None, nullptr);
    g_gl.gl.destroy_context(d, g_gl.context);
  }
  if (d) {
    CloseWindows();
    XCloseDisplay(d);
  }
  const Library gl = g_gl.gl;
  g_gl = State{};
  g_gl.gl = gl;
}

void GlNoLock() {}
void GlNoPalette(int32_t, int32_t, int32_t, int32_t) {}

// GLX cannot say when the retraces come: until the next one on a grid at the
// display's rate, so that the program's drawing is part of the frame.
void GlWaitRetrace() {
  static int64_t retrace_us = 0;  // the program's thread only
  const int32_t period = RetraceMilliseconds(g_screen ? g_screen->refresh_rate : 0);
  SleepMs(RetraceWaitMs(KeyPollClockUs(), period, &retrace_us));
}

int32_t GlGetMouse(int32_t* x, int32_t* y, int32_t* wheel, int32_t* buttons) {
  if (!g_gl.focused || g_gl.mouse_x < 0 || g_gl.mouse_y < 0 || g_gl.mouse_x >= g_gl.width ||
      g_gl.mouse_y >= g_gl.height) {
    return -1;
  }
  *x = g_gl.mouse_x;
  *y = g_gl.mouse_y;
  *wheel = g_gl.mouse_wheel;
  *buttons = g_gl.mouse_buttons;
  return 0;
}

void GlSetMouse(int32_t x, int32_t y, int32_t) {
  if (!g_gl.display || x < 0) return;
  XWarpPointer(g_gl.display, None, g_gl.view, 0, 0, 0, 0, ClampInt(x, 0, g_gl.width - 1),
               ClampInt(y, 0, g_gl.height - 1));
  XSync(g_gl.display, False);
}

void GlSetTitle(const char* title) {
  if (g_gl.display) X11StoreTitle(g_gl.display, g_gl.frame, title);
}

// With no screen open a connection of its own answers.
int32_t* GlFetchModes(int32_t depth, int32_t* count) {
  Display* d = g_gl.display ? g_gl.display : XOpenDisplay(nullptr);
  if (!d) {
    if (count) *count = 0;
    return nullptr;
  }
  const int screen = DefaultScreen(d);
  std::vector<GlDisplaySetting> settings =
      GlxDisplaySettings(ScreenSizes(d), BitsPerPixel(d), DisplayWidth(d, screen), DisplayHeight(d, screen));
  if (d != g_gl.display) XCloseDisplay(d);
  return GlCollectModes(depth, count, EnumSetting, &settings);
}

void GlFlip() {
  if (!g_gl.display) return;
  HandlePendingEvents();
  if (g_gl.context) g_gl.gl.swap_buffers(g_gl.display, g_gl.view);
}
