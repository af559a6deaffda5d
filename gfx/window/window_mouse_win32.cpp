// The pointer as the program sees it: position in framebuffer pixels, wheel and
// buttons, moving it, showing and hiding it.
#include "gfx/window/window_geometry.h"
#include "gfx/window/window_state_win32.h"

int32_t WindowGetMouse(int32_t* x, int32_t* y, int32_t* wheel, int32_t* buttons) {
  if (!g_window.active) return -1;
  POINT p;
  if (!GetCursorPos(&p)) return -1;
  if (g_window.fullscreen) {
    p.x = ClampInt(p.x, 0, g_window.width - 1);
    p.y = ClampInt(p.y, 0, g_window.height - 1);
  } else {
    ScreenToClient(g_window.window, &p);
    if (p.x < 0 || p.x >= g_window.width || p.y < 0 || p.y >= g_window.height) {
      g_mouse_buttons = 0;
      return -1;
    }
  }
  *x = p.x;
  *y = p.y;
  *wheel = g_mouse_wheel;
  *buttons = g_mouse_buttons;
  return 0;
}

void WindowSetMouse(int32_t x, int32_t y, int32_t cursor) {
  if (x >= 0) {
    POINT p{ClampInt(x, 0, g_window.width - 1), ClampInt(y, 0, g_window.height - 1)};
    if (!g_window.fullscreen) ClientToScreen(g_window.window, &p);
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
