// The palette of the modes of up to 8 bits: the mode's default colours, single
// entries set by the program, and the copy the driver shows.
#include <cfloat>
#include <cstring>

#include "gfx/screen.h"
#include "gfx/window/display_driver.h"
#include "gfx/data/builtin_data.h"

namespace {

// Extends a 6-bit component to 8 bits the way the original scaling does: the
// product with the double nearest 255/63 (just below it) taken in extended
// precision and truncated, so 63 gives 254. Without an extended type the same
// results come from integer arithmetic.
uint32_t ScaleSixBits(uint32_t c) {
#if LDBL_MANT_DIG >= 64
  constexpr double kFactor = 4.0476190476190474;
  return static_cast<uint32_t>(static_cast<long double>(c) * static_cast<long double>(kFactor));
#else
  return c == 0 ? 0 : (c * 255 - 1) / 63;
#endif
}

uint32_t Red(uint32_t packed) { return packed & 0xFF; }
uint32_t Green(uint32_t packed) { return (packed >> 8) & 0xFF; }
uint32_t Blue(uint32_t packed) { return (packed >> 16) & 0xFF; }

void SendEntry(int32_t index, uint32_t packed) {
  const DisplayDriver* d = g_screen->driver;
  if (d && d->set_palette) d->set_palette(index, Red(packed), Green(packed), Blue(packed));
}

// Framebuffer value to palette entry for the modes that show a subset of their
// palette; null: value i shows entry i.
const uint8_t* ColourMapForMode(int32_t mode, int32_t index) {
  switch (mode) {
    case 1: {
      const int32_t set = index <= -4 ? 3 : -index - 1;
      return kColourMap2Bit[set];
    }
    case 2: return kColourMap1Bit;
    case 7:
    case 8: return kColourMap4Bit;
    case 9: return kColourMap64;
    default: return nullptr;
  }
}

void ResetToModePalette(int32_t index) {
  ScreenContext* s = g_screen;
  const PaletteDesc* desc = s->palette_desc;
  const uint8_t* map = ColourMapForMode(s->mode, index);
  const int32_t shown = 1 << s->depth;
  for (int32_t i = 0; i < desc->count && i < 256; ++i) {
    const uint8_t* rgb = desc->colours + 3 * i;
    s->base_palette[i] = PackColour(rgb[0], rgb[1], rgb[2]);
  }
  for (int32_t i = 0; i < desc->count && i < shown; ++i) {
    const uint8_t* rgb = desc->colours + 3 * (map ? map[i] : i);
    s->current_palette[i] = PackColour(rgb[0], rgb[1], rgb[2]);
    SendEntry(i, s->current_palette[i]);
  }
}

}  // namespace

void PaletteSet(int32_t index, int32_t colour, int32_t green, int32_t blue) {
  ScreenContext* s = g_screen;
  if (!s || s->depth > 8 || index > 255) return;
  const bool took = ScreenLock();
  if (index < 0) {
    ResetToModePalette(index);
  } else {
    uint32_t value = static_cast<uint32_t>(colour);
    if (green >= 0 && blue >= 0) {
      value = static_cast<uint32_t>(colour >> 2) | static_cast<uint32_t>(green >> 2) << 8 |
              static_cast<uint32_t>(blue >> 2) << 16;
    }
    PaletteSetEntry(index, value);
  }
  std::memset(s->dirty, 255, static_cast<size_t>(s->height));
  ScreenUnlock(took);
}

void PaletteSetEntry(int32_t index, uint32_t colour) {
  ScreenContext* s = g_screen;
  if (!s || index < 0 || index > 255) return;
  const bool took = ScreenLock();
  const int32_t count = s->palette_desc->count;
  uint32_t packed;
  if (count == 256) {
    packed = PackColour(ScaleSixBits(colour & 63), ScaleSixBits((colour >> 8) & 63),
                        ScaleSixBits((colour >> 16) & 63));
  } else {
    packed = s->base_palette[colour & static_cast<uint32_t>(count - 1)];
  }
  s->current_palette[index] = packed;
  SendEntry(index, packed);
  ScreenUnlock(took);
}

void PaletteResend() {
  // Called by the window side, which already holds the display lock.
  ScreenContext* s = g_screen;
  if (!s) return;
  for (int32_t i = 0; i < 256; ++i) SendEntry(i, s->current_palette[i]);
}
