// The OpenGL driver's private state and the routines its files share.
#pragma once
#include "gfx/window/window_state_win32.h"

using WglCreateContextFn = HGLRC(WINAPI*)(HDC);
using WglMakeCurrentFn = BOOL(WINAPI*)(HDC, HGLRC);
using WglDeleteContextFn = BOOL(WINAPI*)(HGLRC);

// Process-wide; set to none by GlInit.
struct GlState {
  HMODULE module;  // opengl32.dll
  WglCreateContextFn create_context;
  WglMakeCurrentFn make_current;
  WglDeleteContextFn delete_context;
  HGLRC context;
  HDC dc;  // the window's own DC (CS_OWNDC), kept until exit
};

extern GlState g_gl;

// Loads opengl32.dll and looks up its three entry points; 0, or -1 when the
// library or any entry point is missing.
int32_t GlLoadLibrary();

// The window layer's create_window, destroy_window and paint for OpenGL.
int32_t GlPlaceWindow();
void GlLeaveFullscreen();
void GlNoPaint();

// The pixel format an OpenGL screen of this depth and these flags asks for.
PIXELFORMATDESCRIPTOR GlPixelFormatRequest(int32_t depth, int32_t flags);
