// The dirty-row walk that every blitter shares, and BlitCopy.
#include <cstddef>
#include <cstring>

#include "gfx/blitters/blit_kernels.h"
#include "gfx/screen.h"

void RunBlitFrame(uint8_t* dest, int32_t dest_pitch, RowFn row, PrepareFn prepare,
                  int32_t multiplier) {
  const ScreenContext* s = g_screen;
  if (!s || !s->visible_page || !s->dirty) return;
  if (multiplier == kModeMultiplier) multiplier = s->line_multiplier > 1 ? s->line_multiplier : 1;
  BlitTables t;
  t.palette = s->current_palette;
  t.lookup = reinterpret_cast<const uint32_t*>(g_rgb16_lookup);
  t.row_bytes = s->pitch;
  bool prepared = false;
  const int32_t rows = s->height * multiplier;
  for (int32_t k = 0; k < rows; ++k) {
    const int32_t y = k / multiplier;
    if (!s->dirty[y]) continue;
    if (prepare && !prepared) {
      prepare(t);
      prepared = true;
    }
    row(dest + static_cast<ptrdiff_t>(k) * dest_pitch,
        s->visible_page + static_cast<ptrdiff_t>(y) * s->pitch, s->width, t);
  }
}

// Where destination rows lie as close together as the framebuffer's and are not
// repeated, a run of dirty rows is one contiguous block in both: one copy each.
// The destination is a surface of its own, never the page, so the copy need
// not keep the overlap rule of the 16-byte vector copy that drawing uses; the
// processor's string copy moved up to half as much again on frames that fit
// the cache.
void BlitCopy(uint8_t* dest, int32_t dest_pitch) {
  const ScreenContext* s = g_screen;
  if (!s || !s->visible_page || !s->dirty) return;
  if (s->line_multiplier > 1 || dest_pitch != s->pitch) {
    PortableBlit<blit_portable::CopyRow>(dest, dest_pitch);
    return;
  }
  for (int32_t y = 0; y < s->height;) {
    if (!s->dirty[y]) {
      ++y;
      continue;
    }
    int32_t end = y + 1;
    while (end < s->height && s->dirty[end]) ++end;
    const ptrdiff_t offset = static_cast<ptrdiff_t>(y) * s->pitch;
    StringByteCopy(dest + offset, s->visible_page + offset, static_cast<size_t>(end - y) * s->pitch);
    y = end;
  }
}
