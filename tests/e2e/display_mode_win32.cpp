// Prints the display mode as Wine's programs see it: "mode W H BPP screen W H"
// (EnumDisplaySettings' current mode, then the screen metrics), so that a
// fullscreen test can tell the mode Windows believes in from the size X shows.
#include <windows.h>

#include <cstdio>

int main() {
  DEVMODEA mode = {};
  mode.dmSize = sizeof mode;
  if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) {
    std::printf("none\n");
    return 1;
  }
  std::printf("mode %lu %lu %lu screen %d %d\n", mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel,
              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  return 0;
}
