// Screens for the drawing and text tests, opened on a recording driver.
#include "support/draw_screen.h"

#include <cstring>

#include "gfx/data/builtin_data.h"
#include "gfx/screen.h"
#include "support/test_driver.h"

namespace {

const char* kDriverName = "draw-test";

}  // namespace

void OpenDrawScreen(int32_t mode, int32_t depth) {
  UseDrivers({MakeTestDriver(kDriverName, 0)});
  ASSERT_EQ(ScreenSetMode(mode, depth, 0, 0, 0), 0);
  ClearDirty();
  ClearDriverCalls();
}

void CloseDrawScreen() {
  ScreenSetMode(0, 0, 0, 0, 0);
  RestoreDrivers();
  ClearDriverCalls();
}

uint32_t PixelAt(int32_t x, int32_t y) { return g_pixel_ops.get_pixel(x, y); }

std::set<std::pair<int32_t, int32_t>> PixelsNot(uint32_t value) {
  std::set<std::pair<int32_t, int32_t>> out;
  for (int32_t y = 0; y < g_screen->height; ++y) {
    for (int32_t x = 0; x < g_screen->width; ++x) {
      if (PixelAt(x, y) != value) out.insert({x, y});
    }
  }
  return out;
}

std::vector<int32_t> DirtyRows() {
  std::vector<int32_t> rows;
  for (int32_t y = 0; y < g_screen->height; ++y) {
    if (g_screen->dirty[y] == 255) rows.push_back(y);
    else EXPECT_EQ(g_screen->dirty[y], 0) << "row " << y;
  }
  return rows;
}

std::vector<int32_t> Range(int32_t lo, int32_t hi) {
  std::vector<int32_t> v;
  for (int32_t i = lo; i <= hi; ++i) v.push_back(i);
  return v;
}

void ClearDirty() { std::memset(g_screen->dirty, 0, static_cast<size_t>(g_screen->height)); }

int LockCount() { return CountCalls("lock", kDriverName); }
int UnlockCount() { return CountCalls("unlock", kDriverName); }
void ResetDriverCounts() { ClearDriverCalls(); }
