// A display that accepts every screen and shows nothing, for code that reads the
// framebuffer itself (tests, fuzz targets).
#pragma once
#include "gfx/window/display_driver.h"

// A driver list holding only that display, ended by null.
const DisplayDriver* const* NullDisplayList();
