// The text cursor, colours, clearing and text grid of the graphics window, and
// the queries the console asks of them.
#include <cstddef>
#include "console/print_internal.h"
#include "gfx/data/builtin_data.h"
#include "gfx/draw_internal.h"
#include "gfx/screen.h"
#include "gfx/text_internal.h"

namespace {

constexpr int32_t kCellWidth = 8;

int32_t PackPosition(int32_t col, int32_t row) { return ((col + 1) & 0xFF) | ((row + 1) & 0xFF) << 8; }

const FontDesc* FontOfHeight(int32_t height) {
  switch (height) {
    case 8: return &kFont8;
    case 14: return &kFont14;
    default: return &kFont16;
  }
}

// Colours outside the palette modes are pixel values of the screen's format.
uint32_t ColourValue(int32_t colour) {
  const ScreenContext* s = g_screen;
  if (s->depth <= 8) return static_cast<uint32_t>(colour) & s->colour_mask;
  return ColourToPixel(static_cast<uint32_t>(colour));
}

void FillView() {
  const ScreenContext* s = g_screen;
  for (int32_t y = s->view_y; y < s->view_y + s->view_h; ++y) {
    g_pixel_ops.pixel_fill(s->line_table[y] + static_cast<ptrdiff_t>(s->view_x) * s->bytes_per_pixel,
                           s->background, s->view_w);
  }
  MarkRowsDirty(s->view_y, s->view_y + s->view_h - 1);
}

}  // namespace

int32_t GfxLocate(int32_t row, int32_t column, int32_t /*visibility*/) {
  ScreenContext* s = g_screen;
  if (s == nullptr) return 0;
  if (column > 0) s->text_col = column - 1;
  if (row > 0) s->text_row = row - 1;
  SetConsolePrintColumn(s->text_col);
  return PackPosition(s->text_col, s->text_row);
}

int32_t GfxSetColor(int32_t foreground, int32_t background) {
  ScreenContext* s = g_screen;
  if (s == nullptr) return 0;
  const int32_t previous = static_cast<int32_t>(s->background << 16 | s->foreground);
  switch (s->mode) {
    case 1:
      // The background picks one of the four colour sets; the foreground
      // recolours palette entry 0, which is what the screen shows as background.
      if (background >= 0) PaletteSet(background | ~3, 0, 0, 0);
      if (foreground >= 0) PaletteSet(0, foreground, -1, -1);
      break;
    case 7:
    case 8:
    case 9:
      if (foreground >= 0) s->foreground = static_cast<uint32_t>(foreground) & 15;
      if (background >= 0) PaletteSet(0, background, -1, -1);
      break;
    default:
      if (foreground >= 0) s->foreground = ColourValue(foreground);
      if (background >= 0) s->background = ColourValue(background);
      break;
  }
  return previous;
}

void GfxClear(int32_t mode) {
  ScreenContext* s = g_screen;
  if (s == nullptr) return;
  s->target = nullptr;
  const bool took = ScreenLock();
  if (mode == 0) {
    g_pixel_ops.pixel_fill(s->line_table[0], s->background, s->width * s->height);
    MarkRowsDirty(0, s->height - 1);
  } else {
    FillView();
  }
  ScreenUnlock(took);
  s->text_col = s->text_row = 0;
  s->last_x = static_cast<float>(s->width / 2);
  s->last_y = static_cast<float>(s->height / 2);
}

int32_t GfxSetTextSize(int32_t columns, int32_t rows) {
  ScreenContext* s = g_screen;
  if (s == nullptr) return 0;
  const int32_t result = s->height << 16 | s->width;
  if (columns == 0 && rows == 0) return result;
  const int32_t cell_w = columns > 0 ? s->width / columns : kCellWidth;
  const int32_t cell_h = rows > 0 ? s->height / rows : s->font_desc->height;
  if (cell_w != kCellWidth || (cell_h != 8 && cell_h != 14 && cell_h != 16)) return result;
  if (columns > 0) s->text_cols = columns;
  if (rows > 0) s->text_rows = rows;
  s->font_desc = FontOfHeight(cell_h);
  GfxClear(-1);
  return result;
}

int32_t GfxCursorColumn() { return g_screen ? g_screen->text_col + 1 : 0; }
int32_t GfxCursorRow() { return g_screen ? g_screen->text_row + 1 : 0; }

void GfxCursorPosition(int32_t* column, int32_t* row) {
  if (g_screen == nullptr) return;
  if (column) *column = g_screen->text_col + 1;
  if (row) *row = g_screen->text_row + 1;
}

void GfxTextSize(int32_t* columns, int32_t* rows) {
  if (g_screen == nullptr) return;
  if (columns) *columns = g_screen->text_cols;
  if (rows) *rows = g_screen->text_rows;
}
