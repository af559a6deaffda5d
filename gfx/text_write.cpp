// Writing text into the graphics window: glyph cells at the text cursor, with
// wrap at the right edge, line breaks, tab stops and scrolling of the text area.
#include <cstddef>
#include <cstring>

#include "gfx/draw_internal.h"
#include "gfx/screen.h"
#include "gfx/text_internal.h"
#include "gfx/data/builtin_data.h"

namespace {

constexpr int32_t kCellWidth = 8;
constexpr int32_t kTabColumns = 8;

int32_t GlyphHeight() { return g_screen->font_desc->height; }

// Moves the cursor to the start of the next row. A break at the first byte of a
// call leaves the row the cursor started on untouched, so it is not flagged.
void NextRow(bool first_byte, int32_t* first_row, int32_t* row_count) {
  ScreenContext* s = g_screen;
  s->text_col = 0;
  s->text_row += 1;
  *row_count += 1;
  if (first_byte) *first_row += 1;
  TextScrollCheck(first_row, row_count);
}

// Blanks the cells up to the next multiple of eight columns, cut at the grid.
void Tab() {
  ScreenContext* s = g_screen;
  const int32_t h = GlyphHeight();
  const int32_t stop = (s->text_col + kTabColumns) & ~(kTabColumns - 1);
  const int32_t end = stop < s->text_cols ? stop : s->text_cols;
  const int32_t pixels = kCellWidth * (end - s->text_col);
  for (int32_t r = 0; r < h; ++r) {
    uint8_t* row = s->line_table[h * s->text_row + r];
    g_pixel_ops.pixel_fill(row + static_cast<ptrdiff_t>(kCellWidth) * s->text_col * s->bytes_per_pixel,
                           s->background, pixels);
  }
  s->text_col = stop;
}

}  // namespace

void DrawGlyph(uint8_t c) {
  const ScreenContext* s = g_screen;
  const int32_t h = GlyphHeight();
  const uint8_t* glyph = s->font_desc->glyphs + static_cast<ptrdiff_t>(c) * h;
  const int32_t x0 = kCellWidth * s->text_col, y0 = h * s->text_row;
  for (int32_t r = 0; r < h; ++r) {
    for (int32_t k = 0; k < kCellWidth; ++k) {
      const bool set = (glyph[r] >> k) & 1;
      g_pixel_ops.put_pixel(x0 + k, y0 + r, set ? s->foreground : s->background);
    }
  }
}

void TextScrollCheck(int32_t* first_row, int32_t* row_count) {
  ScreenContext* s = g_screen;
  if (s->text_row < s->text_rows) return;
  const int32_t h = GlyphHeight();
  const int32_t last = (s->text_rows - 1) * h;
  g_pixel_ops.pixel_copy(s->line_table[0], s->line_table[h], last * s->width);
  g_pixel_ops.pixel_fill(s->line_table[last], s->background, s->width * h);
  s->text_row = s->text_rows - 1;
  *first_row = 0;
  *row_count = s->text_rows;
}

void GfxWriteText(const char* text, int32_t length, int32_t /*print_mode*/) {
  ScreenContext* s = g_screen;
  if (s == nullptr) return;
  s->target = nullptr;
  const bool took = ScreenLock();
  int32_t first_row = s->text_row, row_count = 0;
  TextScrollCheck(&first_row, &row_count);
  for (int32_t i = 0; i < length; ++i) {
    const bool first_byte = i == 0;
    if (s->text_col >= s->text_cols) NextRow(first_byte, &first_row, &row_count);
    const signed char b = static_cast<signed char>(text[i]);
    if (b == 13 || b == 10) {
      if (b == 13 && i + 1 < length && text[i + 1] == 10) ++i;
      NextRow(first_byte, &first_row, &row_count);
      continue;
    }
    if (b == 9) {
      Tab();
    } else {
      DrawGlyph(static_cast<uint8_t>(b));
      s->text_col += 1;
    }
    if (row_count == 0) row_count = 1;
  }
  if (row_count > 0) {
    const int32_t h = GlyphHeight();
    MarkRowsDirty(h * first_row, h * (first_row + row_count) - 1);
  }
  ScreenUnlock(took);
}

void GfxWriteZ(const char* text) {
  GfxWriteText(text, static_cast<int32_t>(std::strlen(text)), 0);
}
