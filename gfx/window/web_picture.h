// The browser window's picture: the open screen's changed rows as the RGBA
// bytes a canvas takes, kept apart from the page so that it can be tested on
// any machine.
#pragma once
#include <cstdint>

#include "gfx/blitters/blitter.h"

// The blitter that writes a canvas's bytes (red, green, blue, then a fourth
// byte the blitter leaves 0) for the open screen; null when none.
Blitter WebCanvasBlitter();

// Converts the open screen's changed rows with blitter into rgba (width x
// height pixels of 4 bytes, height the picture's rows, which repeat each
// framebuffer row line_multiplier times), makes them opaque and clears their
// flags. *first and *count receive the picture's rows from the first changed
// one to the last; false, with nothing written, when no row changed.
bool WebConvertDirtyRows(Blitter blitter, uint8_t* rgba, int32_t width, int32_t height,
                         int32_t* first, int32_t* count);
