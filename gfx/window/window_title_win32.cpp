// The window's caption, set from the program's thread while a fullscreen switch
// on the update thread may be making the window anew.
#include "gfx/window/window_state_win32.h"

namespace {
HWND g_title_asked_of = nullptr;  // the window with a request pending; under the display lock
}  // namespace

// Called under the display lock. A caption set from another thread is a
// message sent to the window's thread and waited for, which would wait forever
// for a pass that is itself waiting for the lock; so the program's thread only
// asks, once until the request is served, and the next pass sets the title
// then in force. A window that a fullscreen switch makes in between is created
// with it, and gets the request anew if a title comes later.

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
