// Prints the display mode as Wine's programs see it: "mode W H BPP screen W H"
// (EnumDisplaySettings' current mode, then the screen metrics), so that a
// fullscreen test can tell the mode Windows believes in from the size X shows.
//   display_mode               prints it
//   display_mode restore W H   first gives the display W x H x 32, unless the
//                              mode and the screen both have it already
//   display_mode set W H BPP   first gives the display W x H x BPP, as another
//                              program might while a game runs
// Wine keeps a mode a program leaves behind for every program after it; the
// tests set the desktop's own size back before each game.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool ReadMode(DEVMODEA* mode) {
  std::memset(mode, 0, sizeof *mode);
  mode->dmSize = sizeof *mode;
  return EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, mode) != FALSE;
}

bool Shows(const DEVMODEA& mode, DWORD w, DWORD h) {
  return mode.dmPelsWidth == w && mode.dmPelsHeight == h && mode.dmBitsPerPel == 32 &&
         GetSystemMetrics(SM_CXSCREEN) == static_cast<int>(w) &&
         GetSystemMetrics(SM_CYSCREEN) == static_cast<int>(h);
}

// Flags 0: the change outlives this program, as the tests need.
bool SetMode(DWORD w, DWORD h, DWORD bpp = 32) {
  DEVMODEA mode = {};
  mode.dmSize = sizeof mode;
  mode.dmPelsWidth = w;
  mode.dmPelsHeight = h;
  mode.dmBitsPerPel = bpp;
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
  return ChangeDisplaySettingsA(&mode, 0) == DISP_CHANGE_SUCCESSFUL;
}

}  // namespace

int main(int argc, char** argv) {
  DEVMODEA mode;
  if (!ReadMode(&mode)) {
    std::printf("none\n");
    return 1;
  }
  if (argc == 5 && std::strcmp(argv[1], "set") == 0) {
    if (!SetMode(std::strtoul(argv[2], nullptr, 10), std::strtoul(argv[3], nullptr, 10),
                 std::strtoul(argv[4], nullptr, 10))) {
      std::printf("failed\n");
      return 1;
    }
    ReadMode(&mode);
  }
  if (argc == 4 && std::strcmp(argv[1], "restore") == 0) {
    const DWORD w = std::strtoul(argv[2], nullptr, 10), h = std::strtoul(argv[3], nullptr, 10);
    if (!Shows(mode, w, h)) {
      // A mode Windows already believes in may be taken as no change at all,
      // so a display whose screen disagrees goes through another mode first.
      if (mode.dmPelsWidth == w && mode.dmPelsHeight == h && mode.dmBitsPerPel == 32) SetMode(640, 480);
      if (!SetMode(w, h)) {
        std::printf("failed\n");
        return 1;
      }
      ReadMode(&mode);
    }
  }
  std::printf("mode %lu %lu %lu screen %d %d\n", mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel,
              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  return 0;
}
