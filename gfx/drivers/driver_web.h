// The "Canvas" display driver: the screen on the page's canvas in a browser.
#pragma once
#include <cstdint>

int32_t WebInit(const char* title, int32_t width, int32_t height, int32_t depth,
                int32_t refresh_rate, int32_t flags);
void WebExit();
void WebLock();
void WebUnlock();
void WebSetPalette(int32_t index, int32_t red, int32_t green, int32_t blue);
void WebWaitRetrace();
int32_t WebGetMouse(int32_t* x, int32_t* y, int32_t* wheel, int32_t* buttons);
void WebSetMouse(int32_t x, int32_t y, int32_t cursor);
void WebSetTitle(const char* title);
