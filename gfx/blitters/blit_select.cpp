// Choosing a surface's blitter: the 16-bit lookup tables, the family (vector
// only when rows are not repeated) and the cell by source and destination.
#include "gfx/blitters/blit_kernels.h"
#include "gfx/screen.h"

namespace {

// low[L] | high[H] is a 16-bit pixel with low byte L and high byte H as a 32-bit
// word: 0x00RRGGBB for order 0, 0x00BBGGRR otherwise; widened channels get zero
// low bits.
void FillRgb16Lookup(uint32_t* low, uint32_t* high, bool red_low) {
  for (uint32_t v = 0; v < 256; ++v) {
    if (!red_low) {
      low[v] = ((v & 0x1F) << 3) | ((v & 0xE0) << 5);
      high[v] = ((v & 0x07) << 13) | ((v & 0xF8) << 16);
    } else {
      low[v] = ((v & 0x1F) << 19) | ((v & 0xE0) << 5);
      high[v] = ((v & 0x07) << 13) | (v & 0xF8);
    }
  }
}

const BlitDestCells* SourceRow(const BlitFamily& family, int32_t depth) {
  switch (depth) {
    case 1: case 2: case 4: case 8: return &family.indexed;
    case 15: case 16: return &family.rgb16;
    case 24: case 32: return &family.rgb32;
    default: return nullptr;
  }
}

Blitter DestCell(const BlitDestCells& cells, int32_t dest_depth) {
  switch (dest_depth) {
    case 8: return cells.to8;
    case 15: return cells.to15;
    case 16: return cells.to16;
    case 24: return cells.to24;
    case 32: return cells.to32;
    default: return nullptr;
  }
}

}  // namespace

Blitter FamilyCell(const BlitFamily& family, int32_t depth, int32_t dest_depth) {
  const BlitDestCells* row = SourceRow(family, depth);
  return row ? DestCell(*row, dest_depth) : nullptr;
}

Blitter SelectBlitter(int32_t dest_depth, int32_t rgb_order) {
  const bool red_low = rgb_order != 0;
  if (g_rgb16_lookup) {
    uint32_t* words = reinterpret_cast<uint32_t*>(g_rgb16_lookup);
    FillRgb16Lookup(words, words + 256, red_low);
  }
  const ScreenContext* s = g_screen;
  if (!s) return nullptr;
  const bool vector = (s->state_flags & kStateMmxAvailable) && s->line_multiplier <= 1;
  const BlitFamily* family = vector ? VectorBlitters() : kPortableBlitters;
  return FamilyCell(family[red_low ? 1 : 0], s->depth, dest_depth);
}
