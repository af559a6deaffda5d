// Temporary stand-in for the blitter selection until the blit area lands.
#include "gfx/blitters/blitter.h"

Blitter SelectBlitter(int32_t, int32_t) { return nullptr; }
