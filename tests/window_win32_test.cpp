// The Win32 window layer and the GDI driver against a real window (under Wine in
// the test run). Tests that need a display skip without one.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "gfx/input/keys_internal.h"
#include "gfx/screen.h"
#include "gfx/window/window_geometry.h"
#include "gfx/window/platform_drivers.h"
#include "gfx/window/system_settings_win32.h"
#include "gfx/window/window_state_win32.h"
#include "support/fake_system_settings.h"
#include "support/gdi_screen_win32.h"
#include "gfx/window/display_driver.h"

namespace {

constexpr char kTitle[] = "tavrel_window_test";

void DrainKeys() {
  while (KeyQueueTake() != 0) {
  }
}

bool CursorShowing() {
  CURSORINFO info{};
  info.cbSize = sizeof info;
  return GetCursorInfo(&info) && (info.flags & CURSOR_SHOWING) != 0;
}

COLORREF ClientPixel(int x, int y) {
  HDC dc = GetDC(g_window.window);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(g_window.window, dc);
  return c;
}

// A white row (palette entry 15) on a black page, never flagged as changed,
// after a pass has shown the black page; returns the row.
int PutUnflaggedRow(int row);

LPARAM KeyLParam(UINT scan, bool alt = false) {
  return static_cast<LPARAM>(1 | scan << 16 | (alt ? 1u << 29 : 0u));
}

TEST(DriverList, KeepsOrderAndRefusingDriversAreSafe) {
  const DisplayDriver* const* list = PlatformDisplayDrivers();
  ASSERT_NE(list[0], nullptr);
  ASSERT_NE(list[1], nullptr);
  ASSERT_NE(list[2], nullptr);
  EXPECT_STREQ(list[0]->name, "DirectX");
  EXPECT_STREQ(list[1]->name, "GDI");
  EXPECT_STREQ(list[2]->name, "OpenGL");
  EXPECT_EQ(list[3], nullptr);
  // OpenGL serves only screens that ask for it, and its exit after a refusal
  // does nothing.
  EXPECT_EQ(list[2]->init("t", 640, 480, 8, 0, 0), -1);
  list[2]->exit();
  EXPECT_EQ(g_window.running, 0);
  EXPECT_EQ(g_update_thread, nullptr);
  // DirectX and GDI refuse OpenGL requests before opening anything.
  for (int i : {0, 1}) {
    EXPECT_EQ(list[i]->init("t", 640, 480, 8, 0, kDisplayOpenGl), -1) << list[i]->name;
    EXPECT_EQ(g_window.running, 0) << list[i]->name;
    list[i]->exit();
    EXPECT_EQ(g_update_thread, nullptr);
  }
}

// GDI refuses fullscreen in its window creation, on the update thread: the
// thread ends without signalling, init fails, and exit undoes the rest.
TEST(DriverList, GdiFullscreenRefusalUndoesTheOpen) {
  BOOL saver_before = FALSE;
  SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &saver_before, 0);
  const DisplayDriver* gdi = PlatformDriver("GDI");
  ASSERT_NE(gdi, nullptr);
  EXPECT_EQ(gdi->init("tavrel_refusal_test", 640, 480, 8, 0, kDisplayFullscreen), -1);
  EXPECT_NE(g_window.running, 0) << "exit still has the open to undo";
  gdi->exit();
  EXPECT_EQ(g_window.running, 0);
  EXPECT_EQ(g_update_thread, nullptr);
  WNDCLASSA info;
  EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), "kvgfxclass_tavrel_refusal_test", &info));
  BOOL saver_after = !saver_before;
  SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &saver_after, 0);
  EXPECT_EQ(saver_after, saver_before);
}

// The 1 ms timer and the exit handlers follow the screen: given back at once
// by an open that fails on the update thread, and once only whatever comes
// after; taken again by the next open and given back at its close.
TEST(DriverList, TimerPeriodAndExitHandlersAreGivenBackOncePerOpen) {
  if (!DisplayAvailable()) GTEST_SKIP() << "no display: Wine cannot create windows here";
  FakeSystemState& fake = ResetFakeSystem();
  ReplaceWindowSystemCalls(FakeSystemCalls());
  const DisplayDriver* gdi = PlatformDriver("GDI");
  EXPECT_EQ(gdi->init("tavrel_refusal_test", 640, 480, 8, 0, kDisplayFullscreen), -1);
  EXPECT_EQ(fake.begins, 1);
  EXPECT_EQ(fake.ends, 1) << "a failed open owes nothing";
  EXPECT_EQ(fake.screensaver, 1);
  EXPECT_EQ(fake.removes, 1);
  gdi->exit();
  EXPECT_EQ(fake.ends, 1);
  GdiTestScreen screen;
  ASSERT_EQ(OpenGdiTestScreen(screen, "tavrel_period_test"), 0);
  EXPECT_EQ(fake.begins, 2);
  EXPECT_EQ(fake.screensaver, 0);
  CloseGdiTestScreen(screen);
  gdi->exit();
  EXPECT_EQ(fake.ends, 2);
  EXPECT_EQ(fake.removes, 2);
  EXPECT_EQ(fake.screensaver, 1);
  ReplaceWindowSystemCalls(nullptr);
}

class GdiWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    available_ = DisplayAvailable();
    if (available_) opened_ = OpenGdiTestScreen(screen_, kTitle);
  }
  static void TearDownTestSuite() {
    if (available_ && opened_ == 0) CloseGdiTestScreen(screen_);
  }
  void SetUp() override {
    if (!available_) GTEST_SKIP() << "no display: Wine cannot create windows here";
    ASSERT_EQ(opened_, 0) << "the GDI driver did not start";
    SendMessageA(g_window.window, WM_ACTIVATEAPP, TRUE, 0);
    DrainKeys();
  }
  static LRESULT Send(UINT message, WPARAM wparam, LPARAM lparam) {
    return SendMessageA(g_window.window, message, wparam, lparam);
  }

  static inline bool available_ = false;
  static inline int32_t opened_ = -1;
  static inline GdiTestScreen screen_;
};

int PutUnflaggedRow(int row) {
  WindowLock();
  for (int i = 0; i < 256; ++i) WindowSetPaletteEntry(i, 0, 0, 0);
  WindowSetPaletteEntry(15, 255, 255, 255);
  std::memset(g_screen->visible_page, 0, 640 * 480);
  std::memset(g_screen->dirty, 255, 480);
  WindowUnlock();
  WaitForPasses(2);
  WindowLock();
  std::memset(g_screen->visible_page + static_cast<size_t>(row) * 640, 15, 640);
  WindowUnlock();
  WaitForPasses(2);
  return row;
}

TEST_F(GdiWindow, OpensCentredWindowOfClassWithClientSize) {
  HWND found = FindWindowA("kvgfxclass_tavrel_window_test", kTitle);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found, g_window.window);
  RECT client;
  ASSERT_TRUE(GetClientRect(found, &client));
  EXPECT_EQ(client.right - client.left, 640);
  EXPECT_EQ(client.bottom - client.top, 480);
  RECT outer;
  ASSERT_TRUE(GetWindowRect(found, &outer));
  int32_t outer_w = outer.right - outer.left, outer_h = outer.bottom - outer.top;
  EXPECT_NEAR(outer.left, (GetSystemMetrics(SM_CXSCREEN) - outer_w) / 2, 1);
  EXPECT_NEAR(outer.top, (GetSystemMetrics(SM_CYSCREEN) - outer_h) / 2, 1);
  LONG style = GetWindowLongA(found, GWL_STYLE);
  EXPECT_TRUE(style & WS_VISIBLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_NE(g_cursor_message, 0u);
  EXPECT_EQ(g_cursor_message, RegisterWindowMessageA("KV mouse cursor"));
}

TEST_F(GdiWindow, KeyDownTranslatesThroughLayoutAndSpecialTable) {
  struct Case {
    WPARAM vk;
    UINT scan;
    int32_t code;
  } cases[] = {
      {'1', 0x02, 49}, {'3', 0x04, 51},    {VK_RETURN, 0x1C, 13}, {VK_ESCAPE, 0x01, 27},
      {'A', 0x1E, 'a'}, {VK_UP, 0x48, 257}, {VK_LEFT, 0x4B, 259}, {VK_F1, 0x3B, 267},
      {VK_F10, 0x44, 276}, {VK_BACK, 0x0E, 8},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Send(WM_KEYDOWN, c.vk, KeyLParam(c.scan)), 0);
    EXPECT_EQ(KeyQueueTake(), c.code) << "virtual key " << c.vk;
    EXPECT_EQ(KeyQueueTake(), 0) << "exactly one code for virtual key " << c.vk;
  }
  // Keys without a character queue nothing.
  Send(WM_KEYDOWN, VK_SHIFT, KeyLParam(0x2A));
  Send(WM_KEYDOWN, VK_F11, KeyLParam(0x57));
  EXPECT_EQ(KeyQueueTake(), 0);
}

int32_t WaitQueuedKey() {
  for (int i = 0; i < 200; ++i) {
    if (int32_t code = KeyQueueTake()) return code;
    Sleep(5);
  }
  return 0;
}

// Real key presses from the X server, so that the keyboard state ToAscii reads
// has the modifiers down: Shift+1, Ctrl+A, and keypad keys with Num Lock off.
TEST_F(GdiWindow, ModifiedAndKeypadKeysFromTheKeyboardReachTheQueue) {
  RECT outer;
  ASSERT_TRUE(GetWindowRect(g_window.window, &outer));
  SetForegroundWindow(g_window.window);
  const std::string xdotool = "start.exe /wait /unix /usr/bin/xdotool ";
  if (!RunHost(xdotool + "mousemove " + std::to_string(outer.left + 320) + " " +
               std::to_string(outer.top + 240))) {
    GTEST_SKIP() << "no host xdotool (scripts/deps.sh installs it)";
  }
  DrainKeys();
  struct Case {
    const char* keys;
    int32_t code;
  } cases[] = {{"shift+1", '!'}, {"ctrl+a", 1}, {"KP_Up", 257}, {"KP_Left", 259}};
  for (const Case& c : cases) {
    ASSERT_TRUE(RunHost(xdotool + "key " + c.keys)) << c.keys;
    EXPECT_EQ(WaitQueuedKey(), c.code) << c.keys;
    EXPECT_EQ(KeyQueueTake(), 0) << "one code for " << c.keys;
  }
}

TEST_F(GdiWindow, InactiveWindowQueuesNothing) {
  Send(WM_ACTIVATEAPP, FALSE, 0);
  Send(WM_KEYDOWN, '1', KeyLParam(0x02));
  EXPECT_EQ(KeyQueueTake(), 0);
  Send(WM_ACTIVATEAPP, TRUE, 0);
  Send(WM_KEYDOWN, '2', KeyLParam(0x03));
  EXPECT_EQ(KeyQueueTake(), 50);
}

TEST_F(GdiWindow, CloseBoxQueuesCloseKeyAndWindowStays) {
  HWND before = g_window.window;
  EXPECT_EQ(Send(WM_CLOSE, 0, 0), 0);
  EXPECT_EQ(KeyQueueTake(), kKeyClose);
  EXPECT_TRUE(IsWindow(before));
  EXPECT_TRUE(IsWindowVisible(before));
}

TEST_F(GdiWindow, SystemKeysAreConsumedWhileActive) {
  HWND before = g_window.window;
  EXPECT_EQ(Send(WM_SYSKEYDOWN, VK_F4, KeyLParam(0x3E, true)), 0);  // Alt+F4
  EXPECT_EQ(Send(WM_SYSKEYDOWN, 'X', KeyLParam(0x2D, true)), 0);
  WaitForPasses(2);
  EXPECT_EQ(KeyQueueTake(), 0);
  EXPECT_EQ(g_window.window, before);
  EXPECT_TRUE(IsWindow(before));
}

TEST_F(GdiWindow, MouseButtonsAndWheel) {
  Send(WM_LBUTTONDOWN, 0, 0);
  Send(WM_MBUTTONDOWN, 0, 0);
  EXPECT_EQ(g_mouse_buttons, 1 | 4);
  Send(WM_LBUTTONUP, 0, 0);
  Send(WM_RBUTTONDOWN, 0, 0);
  EXPECT_EQ(g_mouse_buttons, 2 | 4);
  Send(WM_ACTIVATEAPP, TRUE, 0);
  EXPECT_EQ(g_mouse_buttons, 0) << "activation forgets the buttons";
  int32_t wheel = g_mouse_wheel;
  Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 360), 0);
  Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  EXPECT_EQ(g_mouse_wheel, wheel - 1) << "one notch per message, whatever the delta";
}

TEST_F(GdiWindow, PointerVisibilityIsAskedOfTheWindowThreadOnce) {
  ASSERT_NE(g_cursor_shown, 0);
  WindowSetMouse(-1, 0, 0);
  EXPECT_EQ(g_cursor_shown, 0);
  WindowSetMouse(-1, 0, 0);  // already hidden: nothing more to ask
  EXPECT_EQ(g_cursor_shown, 0);
  WindowSetMouse(-1, 0, -1);  // leaves visibility alone
  EXPECT_EQ(g_cursor_shown, 0);
  WindowSetMouse(-1, 0, 1);
  EXPECT_NE(g_cursor_shown, 0);
  // The registered message changes the show count of the window's thread (the
  // foreground one), which the default procedure would leave alone. The
  // requests posted above are handled first.
  ASSERT_TRUE(WaitForPasses(2));
  const bool shown_before = CursorShowing();
  ASSERT_TRUE(shown_before) << "the pointer starts shown";
  Send(g_cursor_message, 0, 0);
  EXPECT_FALSE(CursorShowing()) << "hidden by the window's own thread";
  Send(g_cursor_message, static_cast<WPARAM>(-1), 0);
  ASSERT_TRUE(WaitForPasses(2));
  EXPECT_EQ(CursorShowing(), shown_before) << "shown again: the count is back";
}

TEST_F(GdiWindow, ActivationReleasesKeysAndMarksEveryRow) {
  WindowLock();
  std::memset(screen_.key_state.data(), 0xFF, 128);
  WindowUnlock();
  const int row = PutUnflaggedRow(250);
  EXPECT_EQ(ClientPixel(320, row), RGB(0, 0, 0)) << "an unflagged row is not sent";
  Send(WM_ACTIVATEAPP, TRUE, 0);
  // The pass after the message may have refreshed table rows from the real
  // keyboard (all up); scan codes without a row must have been cleared too.
  EXPECT_EQ(screen_.key_state[0x4C], 0);
  EXPECT_EQ(screen_.key_state[0x01], 0);
  // Every row was flagged: the row never flagged by the program shows.
  ASSERT_TRUE(WaitForPasses(2));
  EXPECT_EQ(ClientPixel(320, row), RGB(255, 255, 255));
}

TEST_F(GdiWindow, PaintMessageRedrawsTheWholePicture) {
  const int row = PutUnflaggedRow(333);
  EXPECT_EQ(ClientPixel(5, row), RGB(0, 0, 0));
  Send(WM_PAINT, 0, 0);
  ASSERT_TRUE(WaitForPasses(2));
  EXPECT_EQ(ClientPixel(5, row), RGB(255, 255, 255));
}

TEST_F(GdiWindow, MaximiseStartsTheFullscreenSwitchWhichGdiAnswersWithANewWindow) {
  const HWND before = g_window.window;
  EXPECT_EQ(Send(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480)), 0);
  EXPECT_NE(g_window.window, before) << "the switch destroyed and re-created the window";
  EXPECT_FALSE(IsWindow(before));
  EXPECT_EQ(g_window.fullscreen, 0) << "GDI gives only windows";
  RECT client;
  ASSERT_TRUE(GetClientRect(g_window.window, &client));
  EXPECT_EQ(client.right, 640);
  EXPECT_EQ(client.bottom, 480);
  // A plain resize is no switch.
  const HWND now = g_window.window;
  Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 480));
  EXPECT_EQ(g_window.window, now);
}

TEST_F(GdiWindow, ScreenSaverIsOffWhileTheScreenIsOpen) {
  BOOL active = TRUE;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0));
  EXPECT_FALSE(active);
}

// Wine moves the pointer through the X server: for a while after a move it
// may report the old position and the new one in turn. Waits until the pointer
// is at the client point (x, y) in ten reads in a row.
bool WaitPointerAt(int x, int y) {
  POINT want{x, y};
  ClientToScreen(g_window.window, &want);
  int in_a_row = 0;
  for (int i = 0; i < 400 && in_a_row < 10; ++i) {
    POINT at;
    const bool there = GetCursorPos(&at) && at.x == want.x && at.y == want.y;
    in_a_row = there ? in_a_row + 1 : 0;
    Sleep(5);
  }
  return in_a_row >= 10;
}

TEST_F(GdiWindow, SetMousePlacesThePointerAndOutsideTheClientGetMouseFails) {
  WindowSetMouse(100, 50, -1);
  ASSERT_TRUE(WaitPointerAt(100, 50));
  int32_t x = -1, y = -1, wheel = 0, buttons = 0;
  ASSERT_EQ(WindowGetMouse(&x, &y, &wheel, &buttons), 0);
  EXPECT_EQ(x, 100);
  EXPECT_EQ(y, 50);
  WindowSetMouse(5000, 5000, -1);  // clamped to the last pixel
  ASSERT_TRUE(WaitPointerAt(639, 479));
  ASSERT_EQ(WindowGetMouse(&x, &y, &wheel, &buttons), 0);
  EXPECT_EQ(x, 639);
  EXPECT_EQ(y, 479);

  Send(WM_LBUTTONDOWN, 0, 0);
  RECT outer;
  ASSERT_TRUE(GetWindowRect(g_window.window, &outer));
  ASSERT_TRUE(SetCursorPos(outer.left + 4, outer.top + 4));  // on the frame
  POINT frame{outer.left + 4, outer.top + 4};
  ScreenToClient(g_window.window, &frame);
  ASSERT_TRUE(WaitPointerAt(frame.x, frame.y));
  EXPECT_EQ(WindowGetMouse(&x, &y, &wheel, &buttons), -1);
  EXPECT_EQ(g_mouse_buttons, 0) << "leaving the client area releases the buttons";
}

TEST_F(GdiWindow, DirtySpanReachesWindowAndFlagsAreCleared) {
  WindowLock();
  for (int i = 0; i < 256; ++i) WindowSetPaletteEntry(i, 0, 0, 0);
  WindowSetPaletteEntry(15, 255, 255, 255);
  WindowSetPaletteEntry(12, 255, 0, 0);
  std::memset(screen_.page.data(), 0, screen_.page.size());
  std::memset(&screen_.page[100 * 640], 15, 640);
  std::memset(&screen_.page[300 * 640], 12, 640);
  std::memset(&screen_.page[200 * 640], 15, 640);  // clean row inside the span
  std::memset(screen_.dirty.data(), 0, screen_.dirty.size());
  screen_.dirty[100] = 255;
  screen_.dirty[300] = 255;
  WindowUnlock();
  ASSERT_TRUE(WaitForPasses(2));
  WindowLock();
  int flagged = 0;
  for (uint8_t f : screen_.dirty) flagged += f != 0;
  WindowUnlock();
  EXPECT_EQ(flagged, 0);
  HDC dc = GetDC(g_window.window);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetPixel(dc, 10, 100), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 639, 300), RGB(255, 0, 0));
  // Rows between the first and last dirty row go in the same transfer.
  EXPECT_EQ(GetPixel(dc, 5, 200), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 5, 99), RGB(0, 0, 0));
  ReleaseDC(g_window.window, dc);
}

// A move to a 200% display (WM_DPICHANGED, as Windows sends it to a
// per-monitor aware window): the window is sized anew at the suggested place
// with twice the client area, every framebuffer pixel a 2x2 block, and the
// pointer is told and placed in framebuffer pixels. Back at 96 DPI all is as
// before.
TEST_F(GdiWindow, DpiChangeScalesTheWindowThePictureAndTheMouseByWholeFactors) {
  WindowLock();
  for (int i = 0; i < 256; ++i) WindowSetPaletteEntry(i, 0, 0, 0);
  WindowSetPaletteEntry(15, 255, 255, 255);
  std::memset(screen_.page.data(), 0, screen_.page.size());
  screen_.page[100 * 640 + 321] = 15;  // one pixel
  WindowUnlock();
  RECT place{20, 30, 20 + 1400, 30 + 1100};
  Send(0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&place));
  ASSERT_TRUE(WaitForPasses(2));
  EXPECT_EQ(WindowScale(), 2);
  RECT client, outer;
  ASSERT_TRUE(GetClientRect(g_window.window, &client));
  EXPECT_EQ(client.right, 1280);
  EXPECT_EQ(client.bottom, 960);
  ASSERT_TRUE(GetWindowRect(g_window.window, &outer));
  EXPECT_EQ(outer.left, 20);
  EXPECT_EQ(outer.top, 30);
  HDC dc = GetDC(g_window.window);
  for (int dy = -1; dy <= 2; ++dy)
    for (int dx = -1; dx <= 2; ++dx) {
      const bool in_block = dx >= 0 && dx <= 1 && dy >= 0 && dy <= 1;
      EXPECT_EQ(GetPixel(dc, 642 + dx, 200 + dy), in_block ? RGB(255, 255, 255) : RGB(0, 0, 0))
          << "display pixel (" << 642 + dx << ", " << 200 + dy << ")";
    }
  ReleaseDC(g_window.window, dc);

  WindowSetMouse(301, 97, -1);
  ASSERT_TRUE(WaitPointerAt(602, 194));
  int32_t x = -1, y = -1, wheel = 0, buttons = 0;
  // The pointer on the last display pixel of the last framebuffer pixel.
  POINT p{2 * 639 + 1, 2 * 479 + 1};
  ClientToScreen(g_window.window, &p);
  ASSERT_TRUE(SetCursorPos(p.x, p.y));
  ASSERT_TRUE(WaitPointerAt(2 * 639 + 1, 2 * 479 + 1));
  ASSERT_EQ(WindowGetMouse(&x, &y, &wheel, &buttons), 0);
  EXPECT_EQ(x, 639);
  EXPECT_EQ(y, 479);

  RECT back{outer.left, outer.top, outer.left + 700, outer.top + 560};
  Send(0x02E0, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&back));
  ASSERT_TRUE(WaitForPasses(2));
  EXPECT_EQ(WindowScale(), 1);
  ASSERT_TRUE(GetClientRect(g_window.window, &client));
  EXPECT_EQ(client.right, 640);
  EXPECT_EQ(client.bottom, 480);
  dc = GetDC(g_window.window);
  EXPECT_EQ(GetPixel(dc, 321, 100), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 322, 100), RGB(0, 0, 0));
  ReleaseDC(g_window.window, dc);
}

TEST_F(GdiWindow, AltEnterComesBackWindowedAndRedrawsAll) {
  // A colour table that differs from the screen's palette: the switch must
  // resend the palette, or the row shows black.
  WindowLock();
  for (int i = 0; i < 256; ++i) WindowSetPaletteEntry(i, 0, 0, 0);
  std::memset(screen_.page.data(), 0, screen_.page.size());
  std::memset(&screen_.page[400 * 640], 15, 640);
  WindowUnlock();
  ASSERT_TRUE(WaitForPasses(2));
  EXPECT_EQ(Send(WM_SYSKEYDOWN, VK_RETURN, KeyLParam(0x1C, true)), 0);
  ASSERT_TRUE(WaitForPasses(2));
  HWND now = g_window.window;
  ASSERT_TRUE(IsWindow(now));
  EXPECT_EQ(g_window.fullscreen, 0);
  EXPECT_NE(g_window.active, 0);
  EXPECT_EQ(FindWindowA("kvgfxclass_tavrel_window_test", kTitle), now);
  RECT client;
  ASSERT_TRUE(GetClientRect(now, &client));
  EXPECT_EQ(client.right, 640);
  EXPECT_EQ(client.bottom, 480);
  // The row was never flagged: only the full redraw after the switch shows it.
  HDC dc = GetDC(now);
  EXPECT_EQ(GetPixel(dc, 320, 400), RGB(255, 255, 255));
  ReleaseDC(now, dc);
  // Keys still arrive in the new window.
  Send(WM_ACTIVATEAPP, TRUE, 0);
  Send(WM_KEYDOWN, '1', KeyLParam(0x02));
  EXPECT_EQ(KeyQueueTake(), 49);
}

// The program's thread sets the caption while it holds the display lock: the
// window's own thread applies it (a caption sent across threads would wait for
// a pass that waits for the lock), the last title wins, and the window that a
// fullscreen switch makes anew carries it.
TEST_F(GdiWindow, TitleSetUnderTheLockReachesTheWindowAndOutlivesTheSwitch) {
  static const char kOther[] = "tavrel_other_title";
  const auto caption = [] {
    char text[64] = {};
    GetWindowTextA(g_window.window, text, sizeof text);
    return std::string(text);
  };
  WindowLock();
  WindowSetTitle("tavrel_first_title");
  WindowSetTitle(kOther);
  WindowUnlock();
  ASSERT_TRUE(WaitForPasses(2));
  EXPECT_EQ(caption(), kOther);
  const HWND before = g_window.window;
  Send(WM_SYSKEYDOWN, VK_RETURN, KeyLParam(0x1C, true));
  ASSERT_TRUE(WaitForPasses(2));
  ASSERT_NE(g_window.window, before);
  EXPECT_EQ(caption(), kOther);
  WindowLock();
  WindowSetTitle(kTitle);
  WindowUnlock();
  ASSERT_TRUE(WaitForPasses(2));
  EXPECT_EQ(caption(), kTitle);
}

// The program's thread polls the key queue without pause, as the game does,
// and draws now and then; the update thread must keep its pace all the same.
TEST_F(GdiWindow, PassesKeepPaceWhileProgramPolls) {
  using Clock = std::chrono::steady_clock;
  long before = WindowPassCount();
  auto start = Clock::now(), drawn = start;
  long polls = 0;
  while (Clock::now() - start < std::chrono::milliseconds(1000)) {
    KeyQueueTake();
    ++polls;
    if (Clock::now() - drawn < std::chrono::milliseconds(5)) continue;
    const bool took = ScreenLock();
    g_screen->dirty[polls % 480] = 255;
    ScreenUnlock(took);
    drawn = Clock::now();
  }
  double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  double rate = (WindowPassCount() - before) / seconds;
  RecordProperty("passes_per_second", static_cast<int>(rate));
  std::printf("update passes while polling: %.1f per second (%ld polls)\n", rate, polls);
  EXPECT_GE(rate, 60.0) << "the polling thread starves the update thread";
}

// With nothing to show the update thread sleeps past its period; the program's
// next change under the screen lock wakes it at once.
TEST_F(GdiWindow, IdleUpdateThreadSleepsUntilTheProgramDraws) {
  using Clock = std::chrono::steady_clock;
  Sleep(100);
  long before = WindowPassCount();
  Sleep(1000);
  EXPECT_LE(WindowPassCount() - before, 1000 / kIdlePassPauseMs + 2) << "an idle thread keeps its period";
  before = WindowPassCount();
  const auto start = Clock::now();
  const bool took = ScreenLock();
  g_screen->dirty[100] = 255;
  ScreenUnlock(took);
  while (WindowPassCount() == before && Clock::now() - start < std::chrono::seconds(2)) Sleep(1);
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(kIdlePassPauseMs / 2))
      << "the change did not end the idle sleep";
}

TEST(GdiWindowEnd, CloseEndsThreadRestoresAndUnregisters) {
  if (!DisplayAvailable()) GTEST_SKIP() << "no display: Wine cannot create windows here";
  BOOL saver_before = FALSE;
  SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &saver_before, 0);
  GdiTestScreen screen;
  ASSERT_EQ(OpenGdiTestScreen(screen, "tavrel_close_test"), 0);
  HWND window = g_window.window;
  HINSTANCE instance = g_window.instance;
  WNDCLASSA info;
  EXPECT_TRUE(GetClassInfoA(instance, "kvgfxclass_tavrel_close_test", &info));
  auto start = std::chrono::steady_clock::now();
  CloseGdiTestScreen(screen);
  auto took = std::chrono::steady_clock::now() - start;
  EXPECT_LT(took, std::chrono::seconds(5));
  EXPECT_EQ(g_update_thread, nullptr);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(GetClassInfoA(instance, "kvgfxclass_tavrel_close_test", &info));
  BOOL saver_after = TRUE;
  SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &saver_after, 0);
  EXPECT_EQ(saver_after, saver_before);
  // Closing with the display lock held (a caller that forgot to unlock) must not
  // wait forever for the update thread, which needs the lock to end its pass.
  ASSERT_EQ(OpenGdiTestScreen(screen, "tavrel_close_test"), 0);
  WindowLock();
  start = std::chrono::steady_clock::now();
  CloseGdiTestScreen(screen);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(g_update_thread, nullptr);
  WindowUnlock();  // the lock is gone: does nothing
  // A second exit finds nothing running and does nothing.
  PlatformDriver("GDI")->exit();
  EXPECT_EQ(g_update_thread, nullptr);
}

}  // namespace
