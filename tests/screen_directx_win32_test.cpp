// The DirectX driver through the real mode switch, under Wine: which driver a
// screen gets, that the window shows exactly the framebuffer through the
// palette, and that DirectInput's key state reaches key_is_down.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <string>
#include <vector>

#include "gfx/draw.h"
#include "gfx/input/keys_internal.h"
#include "gfx/screen.h"
#include "gfx/drivers/dx_objects_win32.h"
#include "gfx/window/window_state_win32.h"
#include "support/gdi_screen_win32.h"
#include "support/screen_readback_win32.h"
#include "support/screen_fixture.h"
#include "gfx/window/display_driver.h"

namespace {

bool WaitPicture(std::string* why) { return WaitPictureAt(0, 0xFFFFFF, why); }

int DirtyRows() {
  const bool took = ScreenLock();
  int flagged = 0;
  for (int y = 0; y < g_screen->height * g_screen->line_multiplier; ++y) flagged += g_screen->dirty[y] != 0;
  ScreenUnlock(took);
  return flagged;
}

class ScreenOnDirectX : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!DisplayAvailable()) GTEST_SKIP() << "no display: Wine cannot create windows here";
    SetTestEnv("KVGFX", nullptr);
  }
  void TearDown() override {
    ScreenSetMode(0, 0, 0, 0, 0);
    SetTestEnv("KVGFX", nullptr);
  }
  static bool HasMaximiseBox() {
    return (GetWindowLongA(g_window.window, GWL_STYLE) & WS_MAXIMIZEBOX) != 0;
  }
};

TEST_F(ScreenOnDirectX, DriverChoiceFollowsTheListAndKvgfx) {
  ASSERT_EQ(ScreenSetMode(12, 8, 0, 0, 0), 0);
  EXPECT_STREQ(g_screen->driver->name, "DirectX");
  EXPECT_TRUE(HasMaximiseBox());
  EXPECT_NE(GetModuleHandleA("ddraw.dll"), nullptr);
  EXPECT_NE(GetModuleHandleA("dinput.dll"), nullptr);
  // Wine keeps its ddraw.dll loaded once it was loaded (ten FreeLibrary calls
  // do not unload it), so only dinput.dll tells whether the libraries went.
  ScreenSetMode(0, 0, 0, 0, 0);
  EXPECT_EQ(GetModuleHandleA("dinput.dll"), nullptr);
  for (const char* name : {"GDI", "gdi"}) {
    SetTestEnv("KVGFX", name);
    ASSERT_EQ(ScreenSetMode(12, 8, 0, 0, 0), 0);
    EXPECT_STREQ(g_screen->driver->name, "GDI") << name;
    EXPECT_FALSE(HasMaximiseBox());
    EXPECT_EQ(GetModuleHandleA("dinput.dll"), nullptr);
  }
  SetTestEnv("KVGFX", "directX");
  ASSERT_EQ(ScreenSetMode(12, 8, 0, 0, 0), 0);
  EXPECT_STREQ(g_screen->driver->name, "DirectX");
  // An OpenGL screen never gets DirectDraw, whatever KVGFX says.
  ScreenSetMode(0, 0, 0, 0, 0);
  if (ScreenSetMode(18, 32, 0, kDisplayOpenGl, 0) == 0) {
    EXPECT_STRNE(g_screen->driver->name, "DirectX");
  }
  EXPECT_EQ(GetModuleHandleA("dinput.dll"), nullptr);
  ScreenSetMode(0, 0, 0, 0, 0);
}

struct ModeCase {
  int32_t mode;
  int32_t depth;
};

class DirectXPicture : public ScreenOnDirectX, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(DirectXPicture, WindowShowsTheFramebufferThroughThePalette) {
  const ModeCase c = GetParam();
  ASSERT_EQ(ScreenSetMode(c.mode, c.depth, 0, 0, 0), 0);
  ASSERT_STREQ(g_screen->driver->name, "DirectX");
  RECT client;
  ASSERT_TRUE(GetClientRect(g_window.window, &client));
  EXPECT_EQ(client.right, g_screen->width);
  EXPECT_EQ(client.bottom, g_screen->height);
  DrawPattern();
  std::string why;
  EXPECT_TRUE(WaitPicture(&why)) << why;
  EXPECT_EQ(DirtyRows(), 0) << "a pass clears every flag it converted";
  if (g_screen->depth == 8 || c.mode == 12) {
    // A palette change shows on the next pass, without any pixel changing.
    PaletteSet(3, 252, 128, 0);
    EXPECT_TRUE(WaitPicture(&why)) << "after a palette change: " << why;
  }
}

// A move to a 200% display: the back surface is made anew at twice the size
// and every framebuffer pixel shows as a 2x2 block, in the display's own
// format (the 16-bit screen goes through the blitter's conversion); back at
// 96 DPI the picture is one to one again.
TEST_P(DirectXPicture, DpiChangeShowsEveryPixelAsABlockOfTheNewScale) {
  const ModeCase c = GetParam();
  if (c.mode != 12 && c.depth != 16) GTEST_SKIP() << "the 8-bit game mode and a converted one suffice";
  ASSERT_EQ(ScreenSetMode(c.mode, c.depth, 0, 0, 0), 0);
  ASSERT_STREQ(g_screen->driver->name, "DirectX");
  RECT place{10, 10, 10 + 1400, 10 + 1100};
  SendMessageA(g_window.window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(192, 192),
               reinterpret_cast<LPARAM>(&place));
  ASSERT_EQ(WindowScale(), 2);
  RECT client;
  ASSERT_TRUE(GetClientRect(g_window.window, &client));
  EXPECT_EQ(client.right, 2 * g_screen->width);
  EXPECT_EQ(client.bottom, 2 * g_screen->height);
  DrawPattern();
  std::string why;
  EXPECT_TRUE(WaitPicture(&why)) << why;
  RECT back{10, 10, 10 + 700, 10 + 560};
  SendMessageA(g_window.window, 0x02E0, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&back));
  ASSERT_EQ(WindowScale(), 1);
  EXPECT_TRUE(WaitPicture(&why)) << "back at 96 DPI: " << why;
}

INSTANTIATE_TEST_SUITE_P(Modes, DirectXPicture,
                         ::testing::Values(ModeCase{12, 0}, ModeCase{13, 0}, ModeCase{18, 8},
                                           ModeCase{18, 16}, ModeCase{18, 32}),
                         [](const ::testing::TestParamInfo<ModeCase>& info) {
                           return "mode" + std::to_string(info.param.mode) + "_depth" +
                                  std::to_string(info.param.depth);
                         });

}  // namespace

namespace {

bool UnderWine() {
  return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

bool WaitKeyDown(int32_t scan_code, int32_t wanted) {
  for (int i = 0; i < 200; ++i) {
    if (GfxKeyIsDown(scan_code) == wanted) return true;
    Sleep(10);
  }
  return false;
}

TEST_F(ScreenOnDirectX, KeyHeldThroughTheDisplayIsDownUntilReleased) {
  ASSERT_EQ(ScreenSetMode(12, 8, 0, 0, 0), 0);
  ASSERT_STREQ(g_screen->driver->name, "DirectX");
  RECT outer;
  ASSERT_TRUE(GetWindowRect(g_window.window, &outer));
  // The host's X server holds the key down as a real keyboard would.
  const std::string pointer = "start.exe /wait /unix /usr/bin/xdotool mousemove " +
                              std::to_string(outer.left + 320) + " " +
                              std::to_string(outer.top + 240);
  if (!RunHost(pointer)) {
    ASSERT_FALSE(UnderWine()) << "xdotool must run under Wine (scripts/deps.sh installs it)";
    GTEST_SKIP() << "no host X tools on this system";
  }
  // The keyboard is followed from the program's first question on.
  EXPECT_EQ(GfxKeyIsDown(0x1E), 0) << "A is up before it is pressed";
  ASSERT_TRUE(RunHost("start.exe /wait /unix /usr/bin/xdotool keydown a"));
  EXPECT_TRUE(WaitKeyDown(0x1E, -1)) << "A held down";
  EXPECT_EQ(GfxKeyIsDown(0x1F), 0) << "S is up";
  ASSERT_TRUE(RunHost("start.exe /wait /unix /usr/bin/xdotool keyup a"));
  EXPECT_TRUE(WaitKeyDown(0x1E, 0)) << "A released";
  // The window queued the typed letter too; later tests start with an empty queue.
  while (KeyQueueTake() != 0) {
  }
}

// Fullscreen works where the display's mode can change: Wine's virtual
// desktop (the test prefix has one) or a real Windows display.
DEVMODEA CurrentDisplayMode() {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
  return mode;
}

TEST_F(ScreenOnDirectX, Fullscreen8BitSetsThePaletteDisplayAndRestoresTheDesktop) {
  const DEVMODEA desktop = CurrentDisplayMode();
  ASSERT_EQ(ScreenSetMode(18, 8, 0, kDisplayFullscreen, 0), 0);
  ASSERT_STREQ(g_screen->driver->name, "DirectX");
  ASSERT_NE(g_window.fullscreen, 0) << "the display refused 640x480x8";
  const DEVMODEA shown = CurrentDisplayMode();
  EXPECT_EQ(shown.dmPelsWidth, 640u);
  EXPECT_EQ(shown.dmPelsHeight, 480u);
  EXPECT_EQ(shown.dmBitsPerPel, 8u);
  EXPECT_NE(g_dx.dd_palette, nullptr);
  EXPECT_EQ(g_dx.back, g_dx.primary) << "rows go straight into the display";
  EXPECT_EQ(g_dx.y_offset, 0);
  EXPECT_EQ(GetWindowLongA(g_window.window, GWL_STYLE) & WS_POPUP, WS_POPUP);
  DrawPattern();
  std::string why;
  EXPECT_TRUE(WaitPicture(&why)) << why;
  ScreenSetMode(0, 0, 0, 0, 0);
  const DEVMODEA after = CurrentDisplayMode();
  EXPECT_EQ(after.dmPelsWidth, desktop.dmPelsWidth);
  EXPECT_EQ(after.dmPelsHeight, desktop.dmPelsHeight);
  EXPECT_EQ(after.dmBitsPerPel, desktop.dmBitsPerPel);
}

// Moves the X pointer (as a mouse does) and waits until the screen's mouse
// reads (x, y).
bool PointerReadsAt(int display_x, int display_y, int32_t x, int32_t y, std::string* seen) {
  if (!RunHost("start.exe /wait /unix /usr/bin/xdotool mousemove " + std::to_string(display_x) +
               " " + std::to_string(display_y))) {
    *seen = "xdotool did not run";
    return false;
  }
  int32_t got_x = -1, got_y = -1, wheel = 0, buttons = 0;
  for (int i = 0; i < 200; ++i) {
    if (GfxReadMouse(&got_x, &got_y, &wheel, &buttons) == 0 && got_x == x && got_y == y) return true;
    Sleep(10);
  }
  *seen = "(" + std::to_string(got_x) + ", " + std::to_string(got_y) + ")";
  return false;
}

// Mode 9 (640x350) fullscreen, where no 640x350 display mode exists: the
// picture sits y_offset rows down a 640x480 display, and the mouse counts its
// rows from the picture's top, both ways.
TEST_F(ScreenOnDirectX, FullscreenMouseCountsRowsFromThePictureInATallerDisplayMode) {
  ASSERT_EQ(ScreenSetMode(9, 0, 0, kDisplayFullscreen, 0), 0);
  ASSERT_STREQ(g_screen->driver->name, "DirectX");
  ASSERT_NE(g_window.fullscreen, 0);
  if (g_dx.y_offset == 0) GTEST_SKIP() << "this display has a 640x350 mode of its own";
  const int top = g_dx.y_offset;
  std::string seen;
  const bool inside = PointerReadsAt(200, top + 100, 200, 100, &seen);
  if (seen == "xdotool did not run") {
    ASSERT_FALSE(UnderWine()) << "xdotool must run under Wine (scripts/deps.sh installs it)";
    GTEST_SKIP() << "no host X tools on this system";
  }
  EXPECT_TRUE(inside) << "inside the picture: " << seen;
  EXPECT_TRUE(PointerReadsAt(300, top / 2, 300, 0, &seen)) << "above the picture: " << seen;
  EXPECT_TRUE(PointerReadsAt(300, top + 360, 300, 349, &seen)) << "below the picture: " << seen;
  ASSERT_EQ(GfxSetMouse(50, 20, -1), 0);
  // Windows moves the cursor before SetCursorPos returns; Wine warps the X
  // pointer on another connection than the one GetCursorPos asks, and has
  // been seen answering the position before the warp for a moment.
  POINT at{};
  for (int i = 0; i < 200 && GetCursorPos(&at) && !(at.x == 50 && at.y == top + 20); ++i) Sleep(10);
  EXPECT_EQ(at.x, 50);
  EXPECT_EQ(at.y, top + 20);
}

bool Lists640x480(const int32_t* modes, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    if (modes[i] == (640 << 16 | 480)) return true;
  }
  return false;
}

TEST_F(ScreenOnDirectX, FetchModesListsTheDesktopsModesPerDepth) {
  for (int32_t depth : {8, 16, 32}) {
    int32_t count = -1;
    int32_t* modes = ScreenFetchModes(depth, &count);  // no screen: DirectDraw of its own
    ASSERT_NE(modes, nullptr) << depth;
    EXPECT_TRUE(Lists640x480(modes, count)) << depth;
    ScreenFreeModes(modes);  // the caller's array
  }
  int32_t count = -1;
  EXPECT_EQ(ScreenFetchModes(12, &count), nullptr) << "no display has 12 bits";
  EXPECT_EQ(count, 0);
  ASSERT_EQ(ScreenSetMode(12, 8, 0, 0, 0), 0);
  int32_t* modes = ScreenFetchModes(32, &count);  // the running driver's object
  ASSERT_NE(modes, nullptr);
  EXPECT_TRUE(Lists640x480(modes, count));
  ScreenFreeModes(modes);
  EXPECT_EQ(ScreenWaitVsync(), 0);
}

}  // namespace

namespace {

int CountWindowsOfClass(const char* class_name) {
  struct Search {
    const char* name;
    int found;
  } search{class_name, 0};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        char name[160] = {};
        GetClassNameA(window, name, sizeof name);
        if (std::strcmp(name, s->name) == 0) ++s->found;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Whichever step of the display's creation fails, the screen opens through GDI
// and nothing of DirectX stays behind: no second window, no DirectInput.
TEST_F(ScreenOnDirectX, EveryFailedStepFallsBackToGdiAndLeavesNothing) {
  for (DxStep step : {DxStep::kLibraries, DxStep::kDirectDraw, DxStep::kDirectInput,
                      DxStep::kWindow, DxStep::kSurfaces, DxStep::kKeyboard}) {
    DxFailStepForTests(step);
    const int32_t result = ScreenSetMode(12, 8, 0, 0, 0);
    DxFailStepForTests(DxStep::kNone);
    ASSERT_EQ(result, 0) << static_cast<int>(step);
    EXPECT_STREQ(g_screen->driver->name, "GDI") << static_cast<int>(step);
    EXPECT_EQ(CountWindowsOfClass("kvgfxclass_unit_tests"), 1) << static_cast<int>(step);
    EXPECT_EQ(GetModuleHandleA("dinput.dll"), nullptr) << static_cast<int>(step);
    EXPECT_EQ(g_dx.ddraw, nullptr);
    EXPECT_EQ(g_dx.keyboard, nullptr);
    EXPECT_EQ(g_dx.primary, nullptr);
    DrawLine(nullptr, 0.0f, 10.0f, 639.0f, 10.0f, 15, kDrawKindLine, kStyleSolid, kStepAbsolute);
    std::string why;
    EXPECT_TRUE(WaitPicture(&why)) << static_cast<int>(step) << ": " << why;
    ScreenSetMode(0, 0, 0, 0, 0);
  }
  ASSERT_EQ(ScreenSetMode(12, 8, 0, 0, 0), 0);
  EXPECT_STREQ(g_screen->driver->name, "DirectX") << "the next screen tries DirectX again";
}

}  // namespace

namespace {

LRESULT SendToWindow(UINT message, WPARAM wparam, LPARAM lparam) {
  return SendMessageA(g_window.window, message, wparam, lparam);
}

void PressAltEnter() { SendToWindow(WM_SYSKEYDOWN, VK_RETURN, 1 | 0x1C << 16 | 1 << 29); }

// Fills the back surface with a colour of no pattern, so that only rows
// converted after this show the picture.
void ScribbleOverBackSurface() {
  WindowLock();
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  if (SUCCEEDED(g_dx.back->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr))) {
    const size_t row_bytes = desc.dwWidth * (desc.ddpfPixelFormat.dwRGBBitCount / 8);
    for (DWORD y = 0; y < desc.dwHeight; ++y) {
      std::memset(static_cast<uint8_t*>(desc.lpSurface) + y * desc.lPitch, 0x5A, row_bytes);
    }
    g_dx.back->Unlock(nullptr);
  }
  WindowUnlock();
}

// Surfaces left in a display mode they were not made for cannot be restored:
// they are made anew, windowed and fullscreen, with the whole picture; while
// that fails the window and the passes go on and it is tried again.
TEST_F(ScreenOnDirectX, SurfacesThatCannotBeRestoredAreMadeAnewWithTheWholePicture) {
  ASSERT_EQ(ScreenSetMode(18, 32, 0, 0, 0), 0);
  ASSERT_STREQ(g_screen->driver->name, "DirectX");
  DrawPattern();
  std::string why;
  ASSERT_TRUE(WaitPicture(&why)) << why;
  ScribbleOverBackSurface();
  DxFailStepForTests(DxStep::kSurfaces);
  DxLosePrimaryForTests();
  DrawPatternRow(100, 1);
  const bool passes_went_on = WaitForPasses(60);  // a few attempts, 250 ms apart
  const int waiting = DirtyRows();
  DxFailStepForTests(DxStep::kNone);
  ASSERT_TRUE(passes_went_on);
  EXPECT_TRUE(IsWindowVisible(g_window.window));
  EXPECT_GT(waiting, 0) << "nothing can be converted while the surfaces are unusable";
  EXPECT_TRUE(WaitPicture(&why)) << "made anew: " << why;
  EXPECT_EQ(DirtyRows(), 0);

  // The same without the failing attempts, straight after a change.
  ScribbleOverBackSurface();
  DxLosePrimaryForTests();
  DrawPatternRow(200, 2);
  EXPECT_TRUE(WaitPicture(&why)) << "made anew at once: " << why;

  // Fullscreen the screen's display mode is set again with them.
  PressAltEnter();
  ASSERT_NE(g_window.fullscreen, 0);
  ASSERT_TRUE(WaitPicture(&why)) << "fullscreen: " << why;
  DxLosePrimaryForTests();
  DrawPatternRow(300, 3);
  EXPECT_TRUE(WaitPicture(&why)) << "fullscreen, made anew: " << why;
  EXPECT_EQ(CurrentDisplayMode().dmPelsWidth, 640u);
  EXPECT_EQ(CurrentDisplayMode().dmPelsHeight, 480u);
}

// Gives the desktop its size at another depth for the life of a scope.
class DesktopAtDepth {
 public:
  explicit DesktopAtDepth(DWORD bpp) : desktop_(CurrentDisplayMode()) { ok_ = Set(bpp); }
  ~DesktopAtDepth() { Set(desktop_.dmBitsPerPel); }
  bool ok() const { return ok_; }

 private:
  bool Set(DWORD bpp) {
    DEVMODEA mode = desktop_;
    mode.dmBitsPerPel = bpp;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    return ChangeDisplaySettingsA(&mode, 0) == DISP_CHANGE_SUCCESSFUL;
  }
  DEVMODEA desktop_;
  bool ok_ = false;
};

DWORD PrimaryBits() {
  WindowLock();
  const DWORD bits = g_dx.primary ? g_dx.primary_format.dwRGBBitCount : 0;
  WindowUnlock();
  return bits;
}

bool WaitPrimaryBits(DWORD bits) {
  for (int i = 0; i < 100 && PrimaryBits() != bits; ++i) WaitForPasses(1);
  return PrimaryBits() == bits;
}

// The desktop's depth changed under the window (the window is told with
// WM_DISPLAYCHANGE): the surfaces and the blitter follow the display's format,
// and rows drawn meanwhile show.
TEST_F(ScreenOnDirectX, DesktopDepthChangeGivesSurfacesOfTheNewFormat) {
  ASSERT_EQ(ScreenSetMode(12, 8, 0, 0, 0), 0);
  ASSERT_STREQ(g_screen->driver->name, "DirectX");
  const DWORD desktop_bits = PrimaryBits();
  DrawPattern();
  std::string why;
  ASSERT_TRUE(WaitPicture(&why)) << why;
  {
    DesktopAtDepth shallow(16);
    ASSERT_TRUE(shallow.ok()) << "the display refused 16 bits per pixel";
    EXPECT_TRUE(WaitPrimaryBits(16)) << "the primary still has " << PrimaryBits() << " bits";
    DrawPatternRow(100, 1);
    EXPECT_TRUE(WaitPictureAt(0, 0xF8F8F8, &why)) << "at 16 bits per pixel: " << why;
  }
  EXPECT_TRUE(WaitPrimaryBits(desktop_bits));
  DrawPatternRow(200, 1);
  EXPECT_TRUE(WaitPicture(&why)) << "back at " << desktop_bits << " bits per pixel: " << why;
}

// Alt+Enter replaces every DirectDraw object and the window: fullscreen at the
// screen's size with the whole picture, then the window again; switched away
// from while fullscreen, nothing is converted until the program is back.
TEST_F(ScreenOnDirectX, AltEnterSwitchesToFullscreenAndBackWithTheWholePicture) {
  const DEVMODEA desktop = CurrentDisplayMode();
  ASSERT_EQ(ScreenSetMode(12, 8, 0, 0, 0), 0);
  ASSERT_STREQ(g_screen->driver->name, "DirectX");
  DrawPattern();
  std::string why;
  ASSERT_TRUE(WaitPicture(&why)) << why;
  const HWND windowed = g_window.window;
  PressAltEnter();
  ASSERT_NE(g_window.fullscreen, 0);
  EXPECT_FALSE(IsWindow(windowed));
  EXPECT_EQ(CurrentDisplayMode().dmPelsWidth, 640u);
  EXPECT_EQ(CurrentDisplayMode().dmPelsHeight, 480u);
  EXPECT_TRUE(WaitPicture(&why)) << "fullscreen: " << why;

  SendToWindow(WM_ACTIVATEAPP, FALSE, 0);
  DrawLine(nullptr, 0.0f, 7.0f, 639.0f, 7.0f, 15, kDrawKindLine, kStyleSolid, kStepAbsolute);
  ASSERT_TRUE(WaitForPasses(3));
  EXPECT_EQ(DirtyRows(), 480) << "switched away: the flags wait for the return";
  // Switched away from, DirectDraw minimises its window; the user's way back
  // (the task bar, Alt+Tab) restores and activates it.
  ShowWindow(g_window.window, SW_RESTORE);
  SendToWindow(WM_ACTIVATEAPP, TRUE, 0);
  EXPECT_TRUE(WaitPicture(&why)) << "back from another program: " << why;

  PressAltEnter();
  ASSERT_EQ(g_window.fullscreen, 0);
  EXPECT_EQ(CurrentDisplayMode().dmPelsWidth, desktop.dmPelsWidth);
  RECT client;
  ASSERT_TRUE(GetClientRect(g_window.window, &client));
  EXPECT_EQ(client.right, 640);
  EXPECT_EQ(client.bottom, 480);
  EXPECT_TRUE(WaitPicture(&why)) << "windowed again: " << why;
  // The maximise box asks for fullscreen too.
  SendToWindow(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480));
  EXPECT_NE(g_window.fullscreen, 0);
  EXPECT_TRUE(WaitPicture(&why)) << "maximised: " << why;
  ScreenSetMode(0, 0, 0, 0, 0);
  EXPECT_EQ(CurrentDisplayMode().dmPelsWidth, desktop.dmPelsWidth);
  EXPECT_EQ(CurrentDisplayMode().dmPelsHeight, desktop.dmPelsHeight);
}

}  // namespace
