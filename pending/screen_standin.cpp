// Temporary stand-in for the screen area (context, lock, colours, palette, keys).
#include <cstring>

#include "gfx/input/keys.h"
#include "gfx/screen.h"

ScreenContext* g_screen = nullptr;

bool ScreenLock() {
  if (g_screen->state_flags & kStateScreenLocked) return false;
  if (g_screen->driver && g_screen->driver->lock) g_screen->driver->lock();
  g_screen->state_flags |= kStateScreenLocked;
  return true;
}

void ScreenUnlock(bool took) {
  if (!took) return;
  g_screen->state_flags &= ~kStateScreenLocked;
  if (g_screen->driver && g_screen->driver->unlock) g_screen->driver->unlock();
}

uint32_t ColourToPixel(uint32_t colour) {
  if (g_screen->bytes_per_pixel != 2) return colour;
  uint32_t r = (colour >> 16) & 0xFF, g = (colour >> 8) & 0xFF, b = colour & 0xFF;
  return (b >> 3) | (g & 0xFC) << 3 | (r & 0xF8) << 8;
}

uint32_t ColourArgument(uint32_t colour) { return ColourToPixel(colour) & g_screen->colour_mask; }

void PaletteSet(int32_t, int32_t, int32_t, int32_t) {}

namespace {
int32_t g_keys[16];
int g_key_count = 0;
}  // namespace

void KeyQueuePut(int32_t code) {
  if (g_key_count < 16) g_keys[g_key_count++] = code;
}

int32_t GfxWaitKey() {
  if (g_key_count == 0) return 13;
  int32_t k = g_keys[0];
  std::memmove(g_keys, g_keys + 1, sizeof(int32_t) * --g_key_count);
  return k;
}
