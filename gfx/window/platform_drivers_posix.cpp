// Native builds have no display: the list is empty, so a mode switch fails
// cleanly unless a test installs drivers of its own.
#include "gfx/window/platform_drivers.h"

const DisplayDriver* const* PlatformDisplayDrivers() {
  static const DisplayDriver* const kNone[] = {nullptr};
  return kNone;
}
