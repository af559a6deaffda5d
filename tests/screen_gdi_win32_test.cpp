// The real mode switch on Windows with KVGFX naming GDI: the window shows what
// is drawn, in 8-bit and 16-bit screens.
#include <gtest/gtest.h>

#include "gfx/draw.h"
#include "gfx/screen.h"
#include "gfx/window/window_state_win32.h"
#include "support/gdi_screen_win32.h"
#include "support/screen_fixture.h"
#include "gfx/window/display_driver.h"

namespace {

class ScreenOnGdi : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!DisplayAvailable()) GTEST_SKIP() << "no display: Wine cannot create windows here";
    SetTestEnv("KVGFX", "gdi");
  }
  void TearDown() override {
    ScreenSetMode(0, 0, 0, 0, 0);
    SetTestEnv("KVGFX", nullptr);
  }
  static COLORREF PixelShown(int x, int y) {
    HDC dc = GetDC(g_window.window);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(g_window.window, dc);
    return c;
  }
};

TEST_F(ScreenOnGdi, Mode12OpensNamedWindowAndShowsALine) {
  ASSERT_EQ(ScreenSetMode(12, 8, 0, 0, 0), 0);
  ASSERT_NE(g_screen, nullptr);
  ASSERT_NE(g_screen->driver, nullptr);
  EXPECT_STREQ(g_screen->driver->name, "GDI");
  HWND window = FindWindowA("kvgfxclass_unit_tests", "unit_tests");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window, g_window.window);
  DrawLine(nullptr, 0.0f, 100.0f, 639.0f, 100.0f, 15, kDrawKindLine, kStyleSolid, kStepAbsolute);
  ASSERT_TRUE(WaitForPasses(2));
  // COLORREF and the packed colour word share their layout.
  EXPECT_EQ(PixelShown(320, 100), g_screen->current_palette[15]);
  EXPECT_EQ(PixelShown(320, 101), g_screen->current_palette[0]);
  ScreenSetMode(0, 0, 0, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(g_update_thread, nullptr);
}

TEST_F(ScreenOnGdi, SixteenBitScreenGoesThroughFifteenBitBuffer) {
  ASSERT_EQ(ScreenSetMode(14, 16, 1, 0, 0), 0);
  ASSERT_NE(g_screen, nullptr);
  ASSERT_EQ(g_window.depth, 16);
  ASSERT_NE(g_window.blitter, nullptr);
  DrawLine(nullptr, 0.0f, 50.0f, 319.0f, 50.0f, 0xFF0000u, kDrawKindLine, kStyleSolid,
           kStepAbsolute);
  DrawLine(nullptr, 0.0f, 60.0f, 319.0f, 60.0f, 0x0000FFu, kDrawKindLine, kStyleSolid,
           kStepAbsolute);
  ASSERT_TRUE(WaitForPasses(2));
  COLORREF red = PixelShown(100, 50), blue = PixelShown(100, 60);
  EXPECT_GE(GetRValue(red), 0xF0);
  EXPECT_LE(GetGValue(red), 0x10);
  EXPECT_LE(GetBValue(red), 0x10);
  EXPECT_LE(GetRValue(blue), 0x10);
  EXPECT_GE(GetBValue(blue), 0xF0);
  EXPECT_EQ(PixelShown(100, 55), RGB(0, 0, 0));
}

}  // namespace
