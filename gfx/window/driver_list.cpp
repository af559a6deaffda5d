// The list of display drivers that the mode switch walks: the platform's own,
// unless a test has put its drivers in their place.
#include "gfx/window/display_driver.h"
#include "gfx/window/platform_drivers.h"

namespace {
const DisplayDriver* const* g_override = nullptr;
}

const DisplayDriver* const* DisplayDriverList() {
  return g_override ? g_override : PlatformDisplayDrivers();
}

void SetDisplayDriverList(const DisplayDriver* const* list) { g_override = list; }
