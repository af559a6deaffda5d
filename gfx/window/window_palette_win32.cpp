// The display palette store: entries recorded here are applied by the driver on
// its next frame.
#include "gfx/window/window_state_win32.h"

void WindowSetPaletteEntry(int32_t index, int32_t red, int32_t green, int32_t blue) {
  if (index < 0 || index > 255) return;
  DisplayPaletteEntry& e = g_window.display_palette[index];
  e.red = static_cast<uint8_t>(red);
  e.green = static_cast<uint8_t>(green);
  e.blue = static_cast<uint8_t>(blue);
  e.flags = PC_NOCOLLAPSE;
  InterlockedExchange(&g_window.palette_changed, kFlagSet);
}
