// Opening the X display for a driver, saying why when it cannot be opened
// (no DISPLAY, or the server refused the connection).
#pragma once
#include <X11/Xlib.h>

// XOpenDisplay of DISPLAY; null after noting the reason (screen_failure_note.h).
Display* X11OpenDisplay();
