// Every screen mode through each real display driver under Wine: a pattern that
// uses every palette index over the whole page, the client area read back and
// compared pixel for pixel with the framebuffer (through the palette and the
// line multiplier), before and after an activation and an Alt+Enter; in the
// modes that repeat rows, also row by row as drawing changes them.
//
// The driver is the test's parameter. TAVREL_SWEEP_DRIVERS (a comma-separated
// list, "GDI,DirectX" when unset) chooses which ones run.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "gfx/drivers/dx_objects_win32.h"
#include "gfx/screen.h"
#include "gfx/window/window_state_win32.h"
#include "support/gdi_screen_win32.h"
#include "support/screen_readback_win32.h"
#include "support/screen_fixture.h"
#include "gfx/window/display_driver.h"

namespace {

struct SweepCase {
  const char* driver;
  int32_t mode;
  int32_t depth;  // 0: the mode's own
};

// A 16-bit page reaches the screen through 5-bit channels (GDI's 16-bit
// bitmaps are 5-5-5) and the reader may widen them with their top bits: only
// the channels' top five bits are compared.
uint32_t ComparedBits() { return g_screen->bytes_per_pixel == 2 ? 0xF8F8F8u : 0xFFFFFFu; }

bool WaitPicture(int top, std::string* why) {
  return WaitPictureAt(top, ComparedBits(), why);
}

// Where the page's first row is in the client area: DirectX fullscreen may
// centre a page in a taller display mode.
int PageTop() {
  return (g_window.fullscreen && std::strcmp(g_screen->driver->name, "DirectX") == 0)
             ? g_dx.y_offset
             : 0;
}

// Paints the client area over, so that only a redraw of the whole picture
// brings the pattern back.
void ScribbleOverClient() {
  HDC dc = GetDC(g_window.window);
  RECT client;
  GetClientRect(g_window.window, &client);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  FillRect(dc, &client, brush);
  DeleteObject(brush);
  ReleaseDC(g_window.window, dc);
  GdiFlush();
}

void PressAltEnter() {
  SendMessageA(g_window.window, WM_SYSKEYDOWN, VK_RETURN, 1 | 0x1C << 16 | 1 << 29);
}

bool DriverWanted(const char* name) {
  const char* list = std::getenv("TAVREL_SWEEP_DRIVERS");
  if (!list || !*list) return true;
  const std::string wanted = std::string(",") + list + ",";
  return wanted.find(std::string(",") + name + ",") != std::string::npos;
}

class ModeSweep : public ::testing::TestWithParam<SweepCase> {
 protected:
  void SetUp() override {
    if (!DisplayAvailable()) GTEST_SKIP() << "no display: Wine cannot create windows here";
    if (!DriverWanted(GetParam().driver)) GTEST_SKIP() << "driver left out by TAVREL_SWEEP_DRIVERS";
    SetTestEnv("KVGFX", GetParam().driver);
  }
  void TearDown() override {
    ScreenSetMode(0, 0, 0, 0, 0);
    SetTestEnv("KVGFX", nullptr);
  }
};

TEST_P(ModeSweep, ClientAreaIsTheFramebufferBeforeAndAfterActivationAndAltEnter) {
  const SweepCase c = GetParam();
  const ScreenModeInfo& info = kScreenModeTable[c.mode];
  const int display_rows = info.height * info.line_multiplier;
  // A window must fit on the desktop with its frame (the test prefix's desktop
  // is made large enough for every mode).
  if (GetSystemMetrics(SM_CXSCREEN) < info.width + 16 ||
      GetSystemMetrics(SM_CYSCREEN) < display_rows + 48) {
    GTEST_SKIP() << "desktop " << GetSystemMetrics(SM_CXSCREEN) << "x"
                 << GetSystemMetrics(SM_CYSCREEN) << " too small";
  }
  ASSERT_EQ(ScreenSetMode(c.mode, c.depth, 0, 0, 0), 0);
  ASSERT_STREQ(g_screen->driver->name, c.driver);
  RECT client;
  ASSERT_TRUE(GetClientRect(g_window.window, &client));
  EXPECT_EQ(client.right, info.width);
  EXPECT_EQ(client.bottom, display_rows);
  DrawPattern();
  std::string why;
  ASSERT_TRUE(WaitPicture(0, &why)) << "first picture: " << why;

  ScribbleOverClient();
  SendMessageA(g_window.window, WM_ACTIVATEAPP, FALSE, 0);
  SendMessageA(g_window.window, WM_ACTIVATEAPP, TRUE, 0);
  EXPECT_TRUE(WaitPicture(0, &why)) << "after an activation: " << why;

  PressAltEnter();
  if (!g_window.fullscreen) ScribbleOverClient();  // the window may be the same size again
  EXPECT_TRUE(WaitPicture(PageTop(), &why)) << "after Alt+Enter: " << why;
  if (g_window.fullscreen) {
    PressAltEnter();
    ASSERT_EQ(g_window.fullscreen, 0);
    EXPECT_TRUE(WaitPicture(0, &why)) << "windowed again: " << why;
  }
}

std::vector<SweepCase> AllCases() {
  std::vector<SweepCase> cases;
  for (const char* driver : {"GDI", "DirectX"}) {
    for (int32_t mode = 1; mode <= kScreenModeCount; ++mode) {
      if (kScreenModeTable[mode].width < 0) continue;
      cases.push_back({driver, mode, 0});
      if (mode == 18) {
        cases.push_back({driver, mode, 16});
        cases.push_back({driver, mode, 32});
      }
    }
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryMode, ModeSweep, ::testing::ValuesIn(AllCases()),
                         [](const ::testing::TestParamInfo<SweepCase>& info) {
                           return std::string(info.param.driver) + "_mode" +
                                  std::to_string(info.param.mode) +
                                  (info.param.depth ? "_depth" + std::to_string(info.param.depth)
                                                    : std::string());
                         });

// Modes that repeat each framebuffer row on the display: rows drawn one at a
// time, each shown on both of its display rows by the next pass, without any
// redraw of the whole picture in between.
class RowByRow : public ModeSweep {};

TEST_P(RowByRow, EachDrawnRowReachesEveryDisplayRowItFills) {
  const SweepCase c = GetParam();
  ASSERT_EQ(ScreenSetMode(c.mode, 0, 0, 0, 0), 0);
  ASSERT_STREQ(g_screen->driver->name, c.driver);
  ASSERT_EQ(g_screen->line_multiplier, 2);
  DrawPattern();
  std::string why;
  ASSERT_TRUE(WaitPicture(0, &why)) << "first picture: " << why;
  for (int y : {0, 1, 2, 57, 99, 100, 101, 150, 198, 199}) {
    DrawPatternRow(y, 1);
    ASSERT_TRUE(WaitForPasses(2));
    ASSERT_TRUE(WaitPicture(0, &why)) << "after drawing row " << y << ": " << why;
  }
}

INSTANTIATE_TEST_SUITE_P(LineMultiplier, RowByRow,
                         ::testing::Values(SweepCase{"GDI", 2, 0}, SweepCase{"GDI", 8, 0},
                                           SweepCase{"DirectX", 2, 0}, SweepCase{"DirectX", 8, 0}),
                         [](const ::testing::TestParamInfo<SweepCase>& info) {
                           return std::string(info.param.driver) + "_mode" +
                                  std::to_string(info.param.mode);
                         });

}  // namespace

namespace {

// Whatever KVGFX holds, a screen opens through the first driver that works: an
// empty name, a very long one and bytes above 0x80 name no driver.
TEST(KvgfxValues, EmptyLongAndHighByteNamesStillOpenAWorkingWindow) {
  if (!DisplayAvailable()) GTEST_SKIP() << "no display: Wine cannot create windows here";
  const std::string values[] = {"", std::string(5000, 'G'), "\xC4\xE8\xF0\xE5\xEA\xF2\x80\xFF"};
  for (const std::string& value : values) {
    SetTestEnv("KVGFX", value.c_str());
    ASSERT_EQ(ScreenSetMode(13, 0, 0, 0, 0), 0) << value.size() << " bytes";
    EXPECT_STREQ(g_screen->driver->name, "DirectX") << value.size() << " bytes";
    EXPECT_TRUE(IsWindowVisible(g_window.window));
    DrawPattern();
    std::string why;
    EXPECT_TRUE(WaitPicture(0, &why)) << value.size() << " bytes: " << why;
    ScreenSetMode(0, 0, 0, 0, 0);
  }
  SetTestEnv("KVGFX", nullptr);
}

}  // namespace
