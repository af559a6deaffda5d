// The Windows display drivers, in the order they are tried.
#include "gfx/window/platform_drivers.h"

const DisplayDriver* const* PlatformDisplayDrivers() {
  // The drivers are added as they are built.
  static const DisplayDriver* const kDrivers[] = {nullptr};
  return kDrivers;
}
