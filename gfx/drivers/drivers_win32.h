// The Windows display drivers' entry points, as the driver list names them.
#pragma once
#include <cstdint>

#include "gfx/window/display_driver.h"

int32_t GdiInit(const char* title, int32_t width, int32_t height, int32_t depth,
                int32_t refresh_rate, int32_t flags);
int32_t GdiCreateWindow();
void GdiDestroyWindow();
void GdiPaint();
void GdiThreadMain(void* ready_event);

int32_t DxInit(const char* title, int32_t width, int32_t height, int32_t depth,
               int32_t refresh_rate, int32_t flags);
int32_t DxCreateWindow();
void DxDestroyWindow();
void DxPaint();
void DxThreadMain(void* ready_event);
int32_t* DxFetchModes(int32_t depth, int32_t* count);
void DxWaitVsync();

int32_t GlInit(const char* title, int32_t width, int32_t height, int32_t depth,
               int32_t refresh_rate, int32_t flags);
void GlExit();
void GlNoLock();
void GlNoPalette(int32_t index, int32_t red, int32_t green, int32_t blue);
int32_t* GlFetchModes(int32_t depth, int32_t* count);
void GlFlip();
