// The "OpenGL" display driver: a window with an OpenGL rendering context current
// on the program's thread. The program draws with OpenGL and presents with
// flip, which is also where the window's messages are handled; there is no
// update thread, hence no display lock and no palette.
#include <cstring>

#include "gfx/drivers/drivers_win32.h"
#include "gfx/drivers/gl_format.h"
#include "gfx/drivers/gl_state_win32.h"
#include "gfx/input/keys_internal.h"
#include "gfx/screen.h"
#include "gfx/window/screen_failure_note.h"

namespace {

constexpr DWORD kPlaceholderStyle = WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION |
                                    WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

// Created at a placeholder size; GlPlaceWindow gives it its real place.
bool CreatePlaceholderWindow() {
  g_window.window = CreateWindowExA(0, g_window.class_name, g_window.title, kPlaceholderStyle, 0,
                                    0, 320, 200, nullptr, nullptr, g_window.instance, nullptr);
  return g_window.window != nullptr;
}

bool SetUpPixelFormat(int32_t depth, int32_t flags) {
  g_gl.dc = GetDC(g_window.window);
  if (!g_gl.dc) return false;
  PIXELFORMATDESCRIPTOR request = GlPixelFormatRequest(depth, flags);
  int format = ChoosePixelFormat(g_gl.dc, &request);
  return format != 0 && SetPixelFormat(g_gl.dc, format, &request);
}

bool CreateContext() {
  g_gl.context = g_gl.create_context(g_gl.dc);
  if (!g_gl.context) return false;
  g_gl.make_current(g_gl.dc, g_gl.context);
  return true;
}

// The first placement had no DC to ask; wait_vsync should pace by the real rate.
void ReadRefreshRate() {
  if (g_screen) g_screen->refresh_rate = GetDeviceCaps(g_gl.dc, VREFRESH);
}

void RefreshKeyState() {
  BYTE keyboard[256];
  if (g_screen && g_screen->key_state && GetKeyboardState(keyboard)) {
    RefreshKeyStateFromKeyboard(keyboard, g_screen->key_state);
  }
}

bool EnumSetting(uint32_t index, GlDisplaySetting* out, void*) {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  if (!EnumDisplaySettingsA(nullptr, index, &mode)) return false;
  *out = {static_cast<int32_t>(mode.dmPelsWidth), static_cast<int32_t>(mode.dmPelsHeight),
          static_cast<int32_t>(mode.dmBitsPerPel)};
  return true;
}

// Says why the screen cannot be shown; -1 for GlInit to return.
int32_t Refuse(ScreenFailure reason) {
  NoteScreenFailure(reason);
  return -1;
}

}  // namespace

int32_t GlInit(const char* title, int32_t width, int32_t height, int32_t depth,
               int32_t refresh_rate, int32_t flags) {
  std::memset(&g_window, 0, sizeof g_window);
  g_gl = GlState{};
  if (!(flags & kDisplayOpenGl)) return -1;
  g_window.create_window = GlPlaceWindow;
  g_window.destroy_window = GlLeaveFullscreen;
  g_window.paint = GlNoPaint;
  if (WindowOpen(title, width, height, depth, refresh_rate, flags) != 0) return -1;
  if (GlLoadLibrary() != 0) return Refuse(ScreenFailure::kUnsupportedScreen);
  if (!CreatePlaceholderWindow()) return Refuse(ScreenFailure::kWindowFailed);
  if (GlPlaceWindow() != 0) return Refuse(ScreenFailure::kUnsupportedScreen);  // no such display mode
  if (!SetUpPixelFormat(depth, flags) || !CreateContext()) return Refuse(ScreenFailure::kUnsupportedScreen);
  ReadRefreshRate();
  return 0;
}

void GlExit() {
  if (g_gl.module) {
    if (g_gl.context) {
      g_gl.make_current(nullptr, nullptr);
      g_gl.delete_context(g_gl.context);
    }
    if (g_gl.dc) ReleaseDC(g_window.window, g_gl.dc);
    if (g_window.fullscreen) ChangeDisplaySettingsA(nullptr, 0);
    if (g_window.window) DestroyWindow(g_window.window);
    FreeLibrary(g_gl.module);
  }
  g_gl = GlState{};
  g_window.window = nullptr;
  WindowClose();
}

// OpenGL runs on the program's thread: no display lock, no palette.
void GlNoLock() {}
void GlNoPalette(int32_t, int32_t, int32_t, int32_t) {}

int32_t* GlFetchModes(int32_t depth, int32_t* count) {
  return GlCollectModes(depth, count, EnumSetting, nullptr);
}

void GlFlip() {
  RefreshKeyState();
  PumpMessages();
  if (g_gl.dc) SwapBuffers(g_gl.dc);
}
