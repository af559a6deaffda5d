// The OpenGL driver against a real window and Mesa's OpenGL (under Wine in the
// test run): driver choice, the pixel format, the context's life and the keys
// that reach the program only when it presents. Tests that need a display skip
// without one; those that change the display mode run only in a virtual desktop
// (scripts/wine-run-desktop.sh sets TAVREL_VIRTUAL_DESKTOP; their names end in
// "InDesktop" so that its ctest entry can pick them).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "gfx/drivers/drivers_win32.h"
#include "gfx/drivers/gl_state_win32.h"
#include "gfx/input/keys_internal.h"
#include "gfx/screen.h"
#include "support/gdi_screen_win32.h"
#include "gfx/window/display_driver.h"

namespace {

constexpr int32_t kMode640x480 = 18;

using WglGetCurrentContextFn = HGLRC(WINAPI*)();

HGLRC CurrentContext(HMODULE opengl) {
  auto get = reinterpret_cast<WglGetCurrentContextFn>(
      reinterpret_cast<void*>(GetProcAddress(opengl, "wglGetCurrentContext")));
  return get ? get() : reinterpret_cast<HGLRC>(-1);
}

void SetKvgfx(const char* name) {
  std::string assignment = std::string("KVGFX=") + (name ? name : "");
  _putenv(assignment.c_str());
}

void DrainKeys() {
  while (KeyQueueTake() != 0) {
  }
}

LPARAM KeyLParam(UINT scan, bool alt = false) {
  return static_cast<LPARAM>(1 | scan << 16 | (alt ? 1u << 29 : 0u));
}

class GlScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!DisplayAvailable()) GTEST_SKIP() << "no display: Wine cannot create windows here";
    SetDisplayDriverList(nullptr);
  }
  void TearDown() override {
    ScreenSetMode(0, 0, 0, 0, 0);
    SetKvgfx(nullptr);
    DrainKeys();
  }
  static const char* DriverName() { return g_screen && g_screen->driver ? g_screen->driver->name : ""; }
  static int32_t Open(int32_t flags) { return ScreenSetMode(kMode640x480, 32, 1, flags, 0); }
};

TEST_F(GlScreen, OnlyOpenGlScreensUseTheDriverWhateverKvgfxNames) {
  SetKvgfx("OpenGL");
  ASSERT_EQ(Open(0), 0);
  EXPECT_STRNE(DriverName(), "OpenGL") << "a screen without flag 0x02 never gets OpenGL";
  EXPECT_EQ(g_gl.module, nullptr);
  ScreenSetMode(0, 0, 0, 0, 0);
  for (const char* named : {"GDI", "DirectX"}) {
    SetKvgfx(named);
    ASSERT_EQ(Open(kDisplayOpenGl), 0) << named;
    EXPECT_STREQ(DriverName(), "OpenGL") << named;
    EXPECT_EQ(g_update_thread, nullptr) << "OpenGL runs on the program's thread";
    ScreenSetMode(0, 0, 0, 0, 0);
  }
  // The other drivers refuse an OpenGL request before they open anything.
  for (const char* other : {"DirectX", "GDI"}) {
    const DisplayDriver* d = PlatformDriver(other);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->init("t", 640, 480, 32, 0, kDisplayOpenGl), -1) << other;
    d->exit();
    EXPECT_EQ(g_window.window, nullptr) << other;
  }
}

TEST_F(GlScreen, PixelFormatCarriesTheFlagsBuffers) {
  for (int32_t flags : {kDisplayOpenGl, kDisplayOpenGl | kDisplayStencil,
                        kDisplayOpenGl | kDisplayAccum}) {
    PIXELFORMATDESCRIPTOR request = GlPixelFormatRequest(32, flags);
    EXPECT_EQ(request.nSize, 40);
    EXPECT_EQ(request.nVersion, 1);
    EXPECT_EQ(request.dwFlags, DWORD{PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER});
    EXPECT_EQ(request.iPixelType, PFD_TYPE_RGBA);
    EXPECT_EQ(request.cColorBits, 32);
    EXPECT_EQ(request.cDepthBits, 32);
    EXPECT_EQ(request.cStencilBits, (flags & kDisplayStencil) ? 8 : 0) << flags;
    EXPECT_EQ(request.cAccumBits, (flags & kDisplayAccum) ? 32 : 0) << flags;
    EXPECT_EQ(request.iLayerType, PFD_MAIN_PLANE);

    ASSERT_EQ(Open(flags), 0) << flags;
    ASSERT_STREQ(DriverName(), "OpenGL");
    ASSERT_NE(g_gl.dc, nullptr);
    int format = GetPixelFormat(g_gl.dc);
    ASSERT_GT(format, 0);
    PIXELFORMATDESCRIPTOR chosen{};
    ASSERT_NE(DescribePixelFormat(g_gl.dc, format, sizeof chosen, &chosen), 0);
    EXPECT_TRUE(chosen.dwFlags & PFD_DOUBLEBUFFER) << flags;
    EXPECT_TRUE(chosen.dwFlags & PFD_SUPPORT_OPENGL) << flags;
    EXPECT_EQ(chosen.iPixelType, PFD_TYPE_RGBA) << flags;
    if (flags & kDisplayStencil) {
      EXPECT_GE(chosen.cStencilBits, 8) << flags;
    }
    ScreenSetMode(0, 0, 0, 0, 0);
  }
}

TEST_F(GlScreen, ContextIsCurrentUntilModeZeroThenEverythingIsGone) {
  ASSERT_EQ(Open(kDisplayOpenGl), 0);
  ASSERT_STREQ(DriverName(), "OpenGL");
  HMODULE opengl = GetModuleHandleA("opengl32.dll");
  ASSERT_NE(opengl, nullptr);
  ASSERT_NE(g_gl.context, nullptr);
  EXPECT_EQ(CurrentContext(opengl), g_gl.context);
  EXPECT_EQ(g_window.window_class.style & CS_OWNDC, UINT{CS_OWNDC});
  HWND window = g_window.window;
  EXPECT_TRUE(IsWindowVisible(window));
  // The device reports its rate once the window has a DC to ask.
  EXPECT_EQ(g_screen->refresh_rate, GetDeviceCaps(g_gl.dc, VREFRESH));

  ScreenSetMode(0, 0, 0, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  // gdi32 keeps opengl32.dll loaded for its own pixel-format calls, so only the
  // driver's own reference can be seen to go.
  EXPECT_EQ(g_gl.module, nullptr);
  EXPECT_EQ(g_gl.context, nullptr);
  EXPECT_EQ(g_gl.dc, nullptr);
  HMODULE again = LoadLibraryA("opengl32.dll");
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(CurrentContext(again), nullptr);
  FreeLibrary(again);
}

TEST_F(GlScreen, KeysAndTheCloseBoxArriveOnlyWithAPresent) {
  ASSERT_EQ(Open(kDisplayOpenGl), 0);
  ASSERT_STREQ(DriverName(), "OpenGL");
  ScreenFlip();
  DrainKeys();
  HWND window = g_window.window;
  ASSERT_TRUE(PostMessageA(window, WM_KEYDOWN, '1', KeyLParam(0x02)));
  EXPECT_EQ(KeyQueueTake(), 0) << "no key before the next present";
  ScreenFlip();
  EXPECT_EQ(KeyQueueTake(), '1');

  ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
  EXPECT_EQ(KeyQueueTake(), 0);
  ScreenFlip();
  EXPECT_EQ(KeyQueueTake(), kKeyClose);
  EXPECT_TRUE(IsWindow(window)) << "the close box leaves the window to the program";
  EXPECT_STREQ(DriverName(), "OpenGL");
}

bool InVirtualDesktop() { return std::getenv("TAVREL_VIRTUAL_DESKTOP") != nullptr; }

int32_t ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }

TEST_F(GlScreen, FetchModesListsEveryRateOf640x480InDesktop) {
  if (!InVirtualDesktop()) GTEST_SKIP() << "display modes need Wine's virtual desktop";
  std::multiset<DWORD> rates;
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  for (DWORD i = 0; EnumDisplaySettingsA(nullptr, i, &mode); ++i) {
    if (mode.dmPelsWidth == 640 && mode.dmPelsHeight == 480 && mode.dmBitsPerPel == 32)
      rates.insert(mode.dmDisplayFrequency);
  }
  ASSERT_FALSE(rates.empty());
  int32_t count = 0;
  int32_t* modes = GlFetchModes(32, &count);
  ASSERT_NE(modes, nullptr);
  int listed = 0;
  for (int32_t i = 0; i < count; ++i) listed += modes[i] == (640 << 16 | 480);
  EXPECT_EQ(listed, static_cast<int>(rates.size()));
  ScreenFreeModes(modes);
}

TEST_F(GlScreen, FullscreenAndBackOnAltEnterInDesktop) {
  if (!InVirtualDesktop()) GTEST_SKIP() << "display modes need Wine's virtual desktop";
  const int desktop_width = ScreenWidth();
  ASSERT_GT(desktop_width, 640);
  ASSERT_EQ(Open(kDisplayOpenGl | kDisplayFullscreen), 0);
  ASSERT_STREQ(DriverName(), "OpenGL");
  EXPECT_EQ(ScreenWidth(), 640);
  EXPECT_EQ(GetWindowLongA(g_window.window, GWL_STYLE) & WS_POPUP, WS_POPUP);
  HGLRC context = g_gl.context;
  HWND window = g_window.window;

  PostMessageA(window, WM_SYSKEYDOWN, VK_RETURN, KeyLParam(0x1C, true));
  ScreenFlip();
  EXPECT_EQ(g_window.fullscreen, 0);
  EXPECT_EQ(ScreenWidth(), desktop_width);
  EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_POPUP, 0);
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 640);
  EXPECT_EQ(client.bottom, 480);

  PostMessageA(window, WM_SYSKEYDOWN, VK_RETURN, KeyLParam(0x1C, true));
  ScreenFlip();
  EXPECT_NE(g_window.fullscreen, 0);
  EXPECT_EQ(ScreenWidth(), 640);
  EXPECT_EQ(g_window.window, window);
  EXPECT_EQ(g_gl.context, context) << "the switch keeps window and context";

  ScreenSetMode(0, 0, 0, 0, 0);
  EXPECT_EQ(ScreenWidth(), desktop_width) << "mode 0 gives the desktop its size back";
}

}  // namespace
