// Temporary: the screen's process-wide state, until the screen area lands.
#include "gfx/screen.h"

ScreenContext* g_screen = nullptr;
uint8_t* g_rgb16_lookup = nullptr;
PixelOps g_pixel_ops = {};
