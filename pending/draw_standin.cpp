// Temporary stand-in for the draw area: pixel primitives and the graphics text
// operations, until the draw area's code lands. They draw nothing.
#include <cstring>

#include "gfx/screen.h"

PixelOps g_pixel_ops;

void SelectPixelOps() {
  g_pixel_ops.byte_copy = std::memmove;
  g_pixel_ops.byte_fill = std::memset;
}

void GfxClear(int32_t) {}
int32_t GfxSetColor(int32_t, int32_t) { return 0; }
int32_t GfxLocate(int32_t, int32_t, int32_t) { return 0; }
int32_t GfxSetTextSize(int32_t, int32_t) { return 0; }
int32_t GfxCursorColumn() { return 1; }
int32_t GfxCursorRow() { return 1; }
void GfxCursorPosition(int32_t*, int32_t*) {}
void GfxTextSize(int32_t*, int32_t*) {}
void GfxWriteText(const char*, int32_t, int32_t) {}
char* GfxReadLine(char*, int32_t) { return nullptr; }
