// The platform's display drivers in the order they are tried, ended by null.
#pragma once
#include "gfx/window/display_driver.h"

const DisplayDriver* const* PlatformDisplayDrivers();
