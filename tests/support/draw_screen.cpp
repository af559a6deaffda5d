// Hand-built screen context for the drawing and text tests.
#include "support/draw_screen.h"

#include <cstdlib>
#include <cstring>

#include "gfx/data/builtin_data.h"
#include "gfx/screen.h"
#include "support/test_driver.h"

namespace {

struct ModeGeometry {
  int32_t mode, width, height, depth;
  const FontDesc* font;
  int32_t cols, rows;
};

ModeGeometry Geometry(int32_t mode) {
  switch (mode) {
    case 1: return {1, 320, 200, 2, &kFont8, 40, 25};
    case 9: return {9, 640, 350, 4, &kFont14, 80, 25};
    case 13: return {13, 320, 200, 8, &kFont8, 40, 25};
    case 15: return {15, 400, 300, 8, &kFont8, 50, 37};
    case 18: return {18, 640, 480, 8, &kFont16, 80, 30};
    default: return {12, 640, 480, 4, &kFont16, 80, 30};
  }
}

ScreenContext g_context;
uint8_t* g_page = nullptr;
uint8_t** g_rows = nullptr;
uint8_t* g_dirty = nullptr;
const char* kDriverName = "draw-test";

uint32_t MaskOf(int32_t depth) {
  if (depth == 16) return 0xFFFF;
  if (depth == 32) return 0xFFFFFFFF;
  return (1u << depth) - 1;
}

}  // namespace

void OpenDrawScreen(int32_t mode, int32_t depth) {
  CloseDrawScreen();
  UnpackBuiltinData();
  const ModeGeometry g = Geometry(mode);
  ScreenContext& s = g_context;
  s = ScreenContext{};
  s.mode = g.mode;
  s.width = g.width;
  s.height = g.height;
  s.depth = depth ? depth : g.depth;
  s.colour_mask = MaskOf(s.depth);
  s.bytes_per_pixel = (s.depth + 7) / 8;
  s.pitch = s.target_pitch = s.width * s.bytes_per_pixel;
  g_page = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(s.height) * s.pitch, 1));
  g_rows = static_cast<uint8_t**>(std::calloc(static_cast<size_t>(s.height), sizeof(uint8_t*)));
  g_dirty = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(s.height), 1));
  for (int32_t y = 0; y < s.height; ++y) g_rows[y] = g_page + static_cast<size_t>(y) * s.pitch;
  s.pages = &g_page;
  s.page_count = 1;
  s.visible_page = g_page;
  s.line_table = g_rows;
  s.line_capacity = s.height;
  s.dirty = g_dirty;
  s.line_multiplier = 1;
  s.font_desc = g.font;
  s.text_cols = g.cols;
  s.text_rows = g.rows;
  s.view_w = s.width;
  s.view_h = s.height;
  s.foreground = s.depth == 8 ? 15 : s.colour_mask;
  s.driver = MakeTestDriver(kDriverName, 0);
  g_screen = &s;
  SelectPixelOps();
  ClearDriverCalls();
}

void CloseDrawScreen() {
  if (g_screen != &g_context) return;
  g_screen = nullptr;
  std::free(g_page);
  std::free(g_rows);
  std::free(g_dirty);
  g_page = nullptr;
  g_rows = nullptr;
  g_dirty = nullptr;
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

void ClearDirty() { std::memset(g_screen->dirty, 0, static_cast<size_t>(g_screen->height)); }

int LockCount() { return CountCalls("lock", kDriverName); }
int UnlockCount() { return CountCalls("unlock", kDriverName); }
void ResetDriverCounts() { ClearDriverCalls(); }
