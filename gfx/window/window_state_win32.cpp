// The window layer's state and the process-wide objects that outlive a screen.
#include "gfx/window/window_state_win32.h"

#include <cstring>

#include "gfx/screen.h"

WindowState g_window;

HANDLE g_update_thread = nullptr;
int32_t g_cursor_shown = kFlagSet;
UINT g_cursor_message = 0;
int32_t g_mouse_buttons = 0;
int32_t g_mouse_wheel = 0;
CRITICAL_SECTION g_display_lock;
bool g_lock_ready = false;

void WindowMarkAllRowsDirty() {
  if (g_screen && g_screen->dirty && g_window.height > 0) {
    std::memset(g_screen->dirty, 0xFF, static_cast<size_t>(g_window.height));
  }
}
