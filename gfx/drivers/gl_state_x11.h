// The X OpenGL driver's state and the routines its files share. Only the
// driver's files (and its tests) include this; programs see driver_gl_x11.h.
#pragma once
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>

#include "gfx/drivers/glx_format.h"

namespace glx {

// GLX's handles, opaque here so that no OpenGL header is needed.
using FbConfig = void*;
using Context = void*;

// libGL.so.1 and the GLX entry points the driver calls.
struct Library {
  void* module = nullptr;
  Bool (*query_extension)(Display*, int*, int*) = nullptr;
  FbConfig* (*choose_fb_config)(Display*, int, const int*, int*) = nullptr;
  int (*get_fb_config_attrib)(Display*, FbConfig, int, int*) = nullptr;
  XVisualInfo* (*get_visual_from_fb_config)(Display*, FbConfig) = nullptr;
  Context (*create_new_context)(Display*, FbConfig, int, Context, Bool) = nullptr;
  Bool (*make_current)(Display*, XID, Context) = nullptr;
  void (*destroy_context)(Display*, Context) = nullptr;
  void (*swap_buffers)(Display*, XID) = nullptr;
};

struct State {
  Library gl;
  Display* display = nullptr;
  // The top-level window takes the events, the title and the fullscreen state;
  // its child, exactly the screen's size, is what OpenGL draws into, centred
  // in the frame when the frame covers the screen.
  Window frame = 0;
  Window view = 0;
  Colormap colormap = 0;
  FbConfig config = nullptr;
  Context context = nullptr;
  Atom delete_window = 0;
  int32_t width = 0, height = 0;
  int32_t frame_w = 0, frame_h = 0;
  int32_t view_x = 0, view_y = 0;  // the view's place in the frame
  bool fullscreen = false;
  bool focused = true;
  int32_t mouse_x = -1, mouse_y = -1, mouse_buttons = 0, mouse_wheel = 0;
};

extern State g_gl;

// Loads libGL.so.1 (once per process) and looks up its entry points; false
// when the library or one of them is missing.
bool LoadLibrary();

// The configuration for depth and flags, chosen among what the server offers;
// null when none meets them.
FbConfig ChooseConfig(int32_t depth, int32_t flags);

// The frame and its view with the configuration's visual, mapped and placed.
bool OpenWindows(const char* title, bool fullscreen);
void ToggleFullscreen();
// Moves the view to the centre of a frame of this size.
void PlaceView(int32_t frame_w, int32_t frame_h);
void CloseWindows();

// Handles the events that have come (gl_events_x11.cpp).
void HandlePendingEvents();

// The display's rate in Hz from XRandR, 0 when it cannot say.
int32_t CurrentRefreshRate(Display* d);
// The screen sizes XRandR offers (empty without the extension).
std::vector<GlxScreenSize> ScreenSizes(Display* d);

}  // namespace glx
