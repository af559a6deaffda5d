// Colour arguments to pixel values: 0xRRGGBB packed as 5-6-5 in 16-bit modes,
// everything else as given, limited to the depth's bits.
#include "gfx/screen.h"

uint32_t ColourToPixel(uint32_t colour) {
  if (!g_screen || g_screen->bytes_per_pixel != 2) return colour;
  const uint32_t red = (colour >> 16) & 0xFF;
  const uint32_t green = (colour >> 8) & 0xFF;
  const uint32_t blue = colour & 0xFF;
  return (blue >> 3) | (green & 0xFC) << 3 | (red & 0xF8) << 8;
}

uint32_t ColourArgument(uint32_t colour) {
  const uint32_t pixel = ColourToPixel(colour);
  return g_screen ? pixel & g_screen->colour_mask : pixel;
}
