// The window layer's state and the process-wide objects that outlive a screen.
#include "gfx/window/window_state_win32.h"

WindowState g_window;

HANDLE g_update_thread = nullptr;
BOOL g_saved_screensaver = FALSE;
int32_t g_cursor_shown = kFlagSet;
UINT g_cursor_message = 0;
int32_t g_mouse_buttons = 0;
int32_t g_mouse_wheel = 0;
CRITICAL_SECTION g_display_lock;
bool g_lock_ready = false;
