// Drains the window's message queue; the window procedure runs from here.
#include "gfx/window/window_state_win32.h"

bool PumpMessages() {
  MSG msg;
  bool any = false;
  while (PeekMessageA(&msg, g_window.window, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    any = true;
  }
  return any;
}
