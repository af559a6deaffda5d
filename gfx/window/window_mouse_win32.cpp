// The pointer as the program sees it: position in framebuffer pixels (a scaled
// window's client pixels divided by its scale), wheel and buttons, moving it,
// showing and hiding it, and the window's caption.
#include "gfx/window/window_geometry.h"
#include "gfx/window/window_state_win32.h"

int32_t WindowGetMouse(int32_t* x, int32_t* y, int32_t* wheel, int32_t* buttons) {
  if (!g_window.active) return -1;
  POINT p;
  if (!GetCursorPos(&p)) return -1;
  if (g_window.fullscreen) {
    p.x = ClampInt(p.x, 0, g_window.width - 1);
    p.y = PictureRowAt(p.y, g_window.picture_top, g_window.height);
  } else {
    ScreenToClient(g_window.window, &p);
    const int32_t scale = WindowScale();
    if (p.x < 0 || p.x >= g_window.width * scale || p.y < 0 || p.y >= g_window.height * scale) {
      g_mouse_buttons = 0;
      return -1;
    }
    p.x /= scale;
    p.y /= scale;
  }
  *x = p.x;
  *y = p.y;
  *wheel = g_mouse_wheel;
  *buttons = g_mouse_buttons;
  return 0;
}

void WindowSetMouse(int32_t x, int32_t y, int32_t cursor) {
  if (x >= 0) {
    const int32_t scale = WindowScale();
    POINT p{ClampInt(x, 0, g_window.width - 1) * scale, ClampInt(y, 0, g_window.height - 1) * scale};
    if (g_window.fullscreen) {
      p.y += g_window.picture_top;
    } else {
      ClientToScreen(g_window.window, &p);
    }
    SetCursorPos(p.x, p.y);
  }
  // ShowCursor acts on the calling thread's count: ask the window's own thread.
  if (cursor == 0 && g_cursor_shown) {
    PostMessageA(g_window.window, g_cursor_message, 0, 0);
    g_cursor_shown = 0;
  } else if (cursor > 0 && !g_cursor_shown) {
    PostMessageA(g_window.window, g_cursor_message, static_cast<WPARAM>(-1), 0);
    g_cursor_shown = kFlagSet;
  }
}

// Called under the display lock. A caption set from another thread is a
// message sent to the window's thread and waited for, which would wait forever
// for a pass that is itself waiting for the lock; so the program's thread only
// asks, once until the request is served, and the next pass sets the title
// then in force. A window that a fullscreen switch makes in between is created
// with it, and gets the request anew if a title comes later.
namespace {
HWND g_title_asked_of = nullptr;  // under the display lock
}  // namespace

void WindowSetTitle(const char* title) {
  g_window.title = title;
  HWND window = g_window.window;
  if (!window) return;
  if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
    SetWindowTextA(window, title);  // OpenGL: the program's thread owns the window
  } else if (g_title_asked_of != window && PostMessageA(window, kTitleMessage, 0, 0)) {
    g_title_asked_of = window;
  }
}

void WindowApplyTitle(HWND window) {
  g_title_asked_of = nullptr;
  if (g_window.title) SetWindowTextA(window, g_window.title);
}
