// Temporary: the screen's 16-bit lookup buffer pointer, until the screen area lands.
#include "gfx/screen.h"

uint8_t* g_rgb16_lookup = nullptr;
