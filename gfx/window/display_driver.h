// The operation table through which the screen talks to a display driver.
#pragma once
#include <cstdint>

#include "gfx/screen.h"

struct DisplayDriver {
  const char* name;  // "DirectX", "GDI" or "OpenGL"
  int32_t (*init)(const char* title, int32_t width, int32_t height, int32_t depth,
                  int32_t refresh_rate, int32_t flags);
  void (*exit)();
  void (*lock)();
  void (*unlock)();
  void (*set_palette)(int32_t index, int32_t red, int32_t green, int32_t blue);
  void (*wait_vsync)();
  int32_t (*get_mouse)(int32_t* x, int32_t* y, int32_t* wheel, int32_t* buttons);
  void (*set_mouse)(int32_t x, int32_t y, int32_t cursor);
  void (*set_title)(const char* title);
  int32_t* (*fetch_modes)(int32_t depth, int32_t* count);
  void (*flip)();
};

// init's flags are ScreenSetMode's (kDisplayFullscreen and the others).

// The drivers in the order they are tried, ended by a null entry.
const DisplayDriver* const* DisplayDriverList();
// Tests put their own drivers in place of the platform's; null restores them.
void SetDisplayDriverList(const DisplayDriver* const* list);
