// A fake of the platform calls behind an open screen's system settings: a
// screen saver flag and counters of every call, for the native and the Windows
// tests of the window layer.
#pragma once
#include "gfx/window/system_settings.h"

struct FakeSystemState {
  int32_t screensaver = 1;
  bool readable = true;  // get_screensaver answers
  bool grant_timer = true;
  int sets = 0;
  int begins = 0;
  int ends = 0;
  int installs = 0;
  int removes = 0;
};

// The one fake's state, reset to the values above, and its call table.
FakeSystemState& ResetFakeSystem();
FakeSystemState& FakeSystem();
const SystemSettingsCalls* FakeSystemCalls();
