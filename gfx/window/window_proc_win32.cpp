// The window procedure of the graphics window's class. It runs inside the update
// thread's pass (under the display lock), so the key queue, key states, mouse
// state and dirty flags it writes are protected. One small handler per message.
#include <cstring>

#include "gfx/input/keys_internal.h"
#include "gfx/screen.h"
#include "gfx/window/window_geometry.h"
#include "gfx/window/window_keys_win32.h"
#include "gfx/window/window_state_win32.h"

namespace {

LRESULT Default(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

void OnMouseButton(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN: g_mouse_buttons |= 1; break;
    case WM_LBUTTONUP: g_mouse_buttons &= ~1; break;
    case WM_RBUTTONDOWN: g_mouse_buttons |= 2; break;
    case WM_RBUTTONUP: g_mouse_buttons &= ~2; break;
    case WM_MBUTTONDOWN: g_mouse_buttons |= 4; break;
    case WM_MBUTTONUP: g_mouse_buttons &= ~4; break;
    default: break;
  }
}

void OnMouseWheel(WPARAM wparam) {
  if (g_window.os_version > 0x409) g_mouse_wheel += WheelStep(static_cast<int64_t>(wparam));
}

void OnActivateApp(WPARAM wparam) {
  g_window.active = static_cast<int32_t>(wparam);
  if (g_screen && g_screen->key_state) std::memset(g_screen->key_state, 0, 128);
  g_mouse_buttons = 0;
  WindowMarkAllRowsDirty();
}

void OnSize(WPARAM wparam) {
  if (wparam == SIZE_MAXIMIZED) WindowToggleFullscreen();
}

void OnSysKeyDown(WPARAM wparam, LPARAM lparam) {
  if (wparam == VK_RETURN && (lparam & (1 << 29))) WindowToggleFullscreen();
}

// A key for the program; the passes after it come early.
void QueueKey(int32_t code) {
  KeyQueuePut(code);
  WindowNoteKeyQueued();
}

void OnKeyDown(WPARAM wparam, LPARAM lparam) {
  if (int32_t code = KeyCodeFromKeyDown(wparam, lparam)) QueueKey(code);
}

bool IsMouseButton(UINT m) {
  return m == WM_LBUTTONDOWN || m == WM_LBUTTONUP || m == WM_RBUTTONDOWN ||
         m == WM_RBUTTONUP || m == WM_MBUTTONDOWN || m == WM_MBUTTONUP;
}

}  // namespace

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (g_cursor_message && message == g_cursor_message) {
    ShowCursor(wparam ? TRUE : FALSE);
    return 0;
  }
  if (static_cast<int32_t>(message) == WindowDpiChangedMessage()) {
    WindowOnDpiChanged(wparam, lparam);
    return 0;
  }
  if (IsMouseButton(message)) {
    OnMouseButton(message);
    return Default(window, message, wparam, lparam);
  }
  switch (message) {
    case WM_MOUSEWHEEL:
      OnMouseWheel(wparam);
      break;
    case kTitleMessage:
      WindowApplyTitle(window);
      return 0;
    case WM_CLOSE:
      QueueKey(kKeyClose);  // the program decides; the window stays
      return 0;
    case WM_PAINT:
      if (g_window.paint) g_window.paint();
      break;
    case WM_ACTIVATEAPP:
      OnActivateApp(wparam);
      break;
    case WM_DISPLAYCHANGE:
      // Whatever a driver shows was made for the display as it was.
      InterlockedExchange(&g_window.display_changed, kFlagSet);
      WindowMarkAllRowsDirty();
      break;
    case WM_SIZE:
      if (!g_window.active) break;
      OnSize(wparam);
      return 0;
    case WM_SYSKEYDOWN:
      if (!g_window.active) break;
      OnSysKeyDown(wparam, lparam);
      return 0;
    case WM_KEYDOWN:
      if (!g_window.active) break;
      OnKeyDown(wparam, lparam);
      return 0;
    default:
      break;
  }
  return Default(window, message, wparam, lparam);
}
