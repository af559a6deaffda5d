// The pointer as the program sees it: position in framebuffer pixels (a scaled
// window's client pixels divided by its scale), wheel and buttons, moving it,
// showing and hiding it.
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
