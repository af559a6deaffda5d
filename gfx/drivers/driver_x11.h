// The "X11" display driver: a window on the X display, fed by an update thread.
#pragma once
#include <cstdint>

int32_t X11Init(const char* title, int32_t width, int32_t height, int32_t depth,
                int32_t refresh_rate, int32_t flags);
void X11Exit();
void X11Lock();
void X11Unlock();
void X11SetPalette(int32_t index, int32_t red, int32_t green, int32_t blue);
void X11WaitRetrace();
int32_t X11GetMouse(int32_t* x, int32_t* y, int32_t* wheel, int32_t* buttons);
void X11SetMouse(int32_t x, int32_t y, int32_t cursor);
void X11SetTitle(const char* title);
// The passes the update thread has made (for tests and measurements).
int64_t X11PassCount();
// Whether the picture goes through shared memory (MIT-SHM) now.
bool X11UsesSharedMemory();
