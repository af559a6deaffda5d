// Key translation of the window procedure.
#pragma once
#include "gfx/window/window_state_win32.h"

// The key code for a WM_KEYDOWN (1 to 276), or 0 when the key gives none.
int32_t KeyCodeFromKeyDown(WPARAM virtual_key, LPARAM lparam);
