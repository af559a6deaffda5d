// A mode-12-like screen context of the tests' own, shown through the real GDI
// driver, for the Windows tests of the window layer.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/screen.h"
#include "gfx/window/display_driver.h"

struct GdiTestScreen {
  ScreenContext context{};
  std::vector<uint8_t> page;
  std::vector<uint8_t> dirty;
  std::vector<uint8_t> key_state;
  std::vector<uint32_t> palette;  // packed colour words, all black but 12 and 15
};

// True when Wine (or Windows) can create windows here; false without a display.
bool DisplayAvailable();
// Runs a program of the host (under Wine, a Linux one such as xdotool, through
// "start.exe /wait /unix") to its end; false when it cannot be started or fails.
bool RunHost(std::string command_line);
// The platform's driver of that name, or null.
const DisplayDriver* PlatformDriver(const char* name);
// Builds a 640 x 480 8-bit context, makes it the open screen and starts the GDI
// driver on it with the given title. Returns the driver's init result.
int32_t OpenGdiTestScreen(GdiTestScreen& screen, const char* title);
// Stops the driver and forgets the context.
void CloseGdiTestScreen(GdiTestScreen& screen);
// Waits until the update thread has completed n more passes (false on time-out).
bool WaitForPasses(long n);
