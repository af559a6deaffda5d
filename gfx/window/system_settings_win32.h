// The Windows calls behind the screen saver and timer settings of an open
// screen (gfx/window/system_settings.h).
#pragma once
#include "gfx/window/system_settings.h"

// The table the window layer takes the settings with: the real Windows calls,
// unless a test has put a fake in their place.
const SystemSettingsCalls* WindowSystemCalls();
// Puts calls in the real ones' place (null: the real ones again); returns the
// table in use before. For tests, between screens.
const SystemSettingsCalls* ReplaceWindowSystemCalls(const SystemSettingsCalls* calls);
