// Test screens shown through the real GDI driver (Windows tests only).
#include "support/gdi_screen_win32.h"

#include <cstring>

#include "gfx/window/platform_drivers.h"
#include "gfx/window/time_slice.h"
#include "gfx/window/window_state_win32.h"

bool DisplayAvailable() {
  HWND probe = CreateWindowExA(0, "STATIC", "probe", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  if (!probe) return false;
  DestroyWindow(probe);
  return true;
}

bool RunHost(std::string command_line) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  WaitForSingleObject(process.hProcess, 10000);
  DWORD status = 1;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return status == 0;
}

const DisplayDriver* PlatformDriver(const char* name) {
  for (const DisplayDriver* const* d = PlatformDisplayDrivers(); *d; ++d) {
    if (std::strcmp((*d)->name, name) == 0) return *d;
  }
  return nullptr;
}

int32_t OpenGdiTestScreen(GdiTestScreen& s, const char* title) {
  constexpr int32_t kW = 640, kH = 480;
  s.page.assign(static_cast<size_t>(kW) * kH, 0);
  s.dirty.assign(kH, 0);
  s.key_state.assign(128, 0);
  s.palette.assign(256, 0);
  s.palette[12] = PackColour(255, 0, 0);
  s.palette[15] = PackColour(255, 255, 255);
  ScreenContext& c = s.context;
  c = ScreenContext{};
  c.mode = 12;
  c.visible_page = s.page.data();
  c.pitch = kW;
  c.bytes_per_pixel = 1;
  c.dirty = s.dirty.data();
  c.width = kW;
  c.height = kH;
  c.depth = 8;
  c.line_multiplier = 1;
  c.key_state = s.key_state.data();
  c.current_palette = s.palette.data();
  c.base_palette = s.palette.data();
  c.driver = PlatformDriver("GDI");
  g_screen = &c;
  return c.driver->init(title, kW, kH, 8, 0, 0);
}

void CloseGdiTestScreen(GdiTestScreen& s) {
  s.context.driver->exit();
  g_screen = nullptr;
}

bool WaitForPasses(long n) {
  long target = WindowPassCount() + n;
  for (int i = 0; i < 300; ++i) {
    NoteScreenChanged();  // an idle update thread passes at once
    if (WindowPassCount() >= target) return true;
    Sleep(5);
  }
  return false;
}
