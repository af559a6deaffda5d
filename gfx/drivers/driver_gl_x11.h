// The "OpenGL" display driver on X: a window with a GLX rendering context
// current on the program's thread, for screens opened with flag 0x02 only.
// The program draws with OpenGL and presents with flip, which is also where
// the window's events are handled. libGL is loaded when such a screen opens.
#pragma once
#include <cstdint>

int32_t GlInit(const char* title, int32_t width, int32_t height, int32_t depth,
               int32_t refresh_rate, int32_t flags);
void GlExit();
// OpenGL runs on the program's thread: no display lock, no palette.
void GlNoLock();
void GlNoPalette(int32_t index, int32_t red, int32_t green, int32_t blue);
void GlWaitRetrace();
int32_t GlGetMouse(int32_t* x, int32_t* y, int32_t* wheel, int32_t* buttons);
void GlSetMouse(int32_t x, int32_t y, int32_t cursor);
void GlSetTitle(const char* title);
int32_t* GlFetchModes(int32_t depth, int32_t* count);
void GlFlip();
