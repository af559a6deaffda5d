// Windowed placement shared by the drivers: a client area of the screen's size
// times the display's whole-number scale, centred on the primary display.
#include "gfx/window/window_geometry.h"
#include "gfx/window/window_state_win32.h"

HWND WindowCreateCentred(DWORD style) {
  const RECT r = WindowChooseScale(style);
  int32_t outer_w = r.right - r.left;
  int32_t outer_h = r.bottom - r.top;
  int32_t x = 0, y = 0;
  CentredOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), outer_w, outer_h,
                &x, &y);
  HWND window = CreateWindowExA(0, g_window.class_name, g_window.title, style, x, y, outer_w,
                                outer_h, nullptr, nullptr, g_window.instance, nullptr);
  if (window) WindowFitClient(window, g_window.width * g_window.scale, g_window.height * g_window.scale);
  return window;
}
