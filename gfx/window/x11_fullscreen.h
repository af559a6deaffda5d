// Fullscreen and back for a top-level X window, shared by the X drivers: the
// window manager's fullscreen state where one runs (_NET_WM_STATE), otherwise
// the window itself covers the screen and comes back centred.
#pragma once
#include <X11/Xlib.h>

#include <cstdint>

// Whether a window manager runs on the display (_NET_SUPPORTING_WM_CHECK).
bool X11WindowManagerRuns(Display* d);
// Fixes the window's size at width x height for the window manager, or (fixed
// false) lets it take any size.
void X11SetFixedSize(Display* d, Window w, bool fixed, int32_t width, int32_t height);
// Switches the window to fullscreen, or back to a centred windowed_w x
// windowed_h window of fixed size.
void X11SetFullscreen(Display* d, Window w, bool fullscreen, int32_t windowed_w, int32_t windowed_h);
