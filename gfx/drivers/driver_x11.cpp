// The "X11" display driver. The program's thread draws into the framebuffer
// under the display lock; the update thread, every 10 ms and under the same
// lock, reads the X events (keys, mouse, close box, exposure) and copies the
// changed rows through the blitter for the visual's format into an XImage
// (in shared memory where the server can read it from there), scaled by a
// whole factor in fullscreen and on a dense display (Xft.dpi, display_scale.h),
// and puts them on the window. Only
// the update thread calls Xlib after the window is open, except for the title
// and pointer calls, which Xlib's own locking covers. This file holds the
// driver's operations; its picture, events, window and update thread are the
// x11_*_x11.cpp files beside it.
#include "gfx/drivers/driver_x11.h"

#include <cstring>

#include "gfx/drivers/x11_driver_state.h"
#include "gfx/screen.h"
#include "gfx/window/display_driver.h"
#include "gfx/window/screen_failure_note.h"
#include "gfx/window/time_slice.h"
#include "gfx/window/window_geometry.h"
#include "gfx/window/x11_display.h"

using namespace x11;

namespace {

// The blitter, the window and its picture; false, with the reason noted, when
// the display refuses one of them.
bool OpenPicture(const char* title) {
  if (!ChooseBlitter()) {
    NoteScreenFailure(ScreenFailure::kUnsupportedScreen);  // a visual no blitter writes
    return false;
  }
  if (!OpenWindow(title) || !MakeImage()) {
    NoteScreenFailure(ScreenFailure::kWindowFailed);
    return false;
  }
  return true;
}

}  // namespace

int32_t X11Init(const char* title, int32_t width, int32_t height, int32_t, int32_t,
                int32_t flags) {
  if (flags & kDisplayOpenGl) return -1;
  if (g_running.load()) return -1;
  XInitThreads();
  g_x.display = X11OpenDisplay();
  if (!g_x.display) return -1;
  g_x.width = width;
  g_x.height = height;
  g_x.placement = X11Placement{1, 0, 0};
  g_x.completion_type = X11ImageCompletionType(g_x.display);
  if (!OpenPicture(title)) {
    CloseDisplay();
    return -1;
  }
  if (flags & kDisplayFullscreen) ToggleFullscreen();
  g_running.store(true);
  g_x.thread = std::thread(UpdateThread);
  return 0;
}

void X11Exit() {
  if (g_running.exchange(false) && g_x.thread.joinable()) {
    RaiseIdleWake();  // an idle update thread sees g_running cleared at once
    g_x.thread.join();
  }
  if (g_x.display) CloseDisplay();
}

void X11Lock() { g_lock.lock(); }
void X11Unlock() { g_lock.unlock(); }

// The blitter reads the screen's own palette; the window needs only a new copy.
void X11SetPalette(int32_t, int32_t, int32_t, int32_t) { MarkAllRowsDirty(); }

void X11WaitRetrace() { SleepMs(RetraceMilliseconds(g_screen ? g_screen->refresh_rate : 0)); }

int32_t X11GetMouse(int32_t* x, int32_t* y, int32_t* wheel, int32_t* buttons) {
  std::lock_guard<std::recursive_mutex> hold(g_lock);
  if (!g_x.focused || g_x.mouse_x < 0 || g_x.mouse_y < 0 || g_x.mouse_x >= g_x.width ||
      g_x.mouse_y >= g_x.height) {
    return -1;
  }
  *x = g_x.mouse_x;
  *y = g_x.mouse_y;
  *wheel = g_x.mouse_wheel;
  *buttons = g_x.mouse_buttons;
  return 0;
}

// Synchronously: the pointer is where it was put once the call returns, for
// the program and for anyone asking the server.
void X11SetMouse(int32_t x, int32_t y, int32_t) {
  std::lock_guard<std::recursive_mutex> hold(g_lock);
  if (!g_x.display || x < 0) return;
  const X11Placement& p = g_x.placement;
  XWarpPointer(g_x.display, None, g_x.window, 0, 0, 0, 0, p.x + ClampInt(x, 0, g_x.width - 1) * p.factor,
               p.y + ClampInt(y, 0, g_x.height - 1) * p.factor);
  XSync(g_x.display, False);
}

void X11SetTitle(const char* title) {
  std::lock_guard<std::recursive_mutex> hold(g_lock);
  SetWindowTitle(title);
}

int64_t X11PassCount() { return g_passes.load(); }

bool X11UsesSharedMemory() {
  std::lock_guard<std::recursive_mutex> hold(g_lock);
  return g_x.picture.shared;
}
