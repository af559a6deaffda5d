// The X11 window layer's pure choices.
#include "gfx/window/x11_layout.h"

#include <algorithm>

bool X11BlitFormat(int32_t depth, int32_t bits_per_pixel, uint32_t red_mask, int32_t* dest_depth,
                   int32_t* rgb_order) {
  const bool red_high = red_mask == 0xFF0000 || red_mask == 0xF800 || red_mask == 0x7C00;
  const bool red_low = red_mask == 0xFF || red_mask == 0x1F;
  if (!red_high && !red_low) return false;
  *rgb_order = red_high ? 0 : 1;
  if (bits_per_pixel == 32 && depth >= 24) *dest_depth = 32;
  else if (bits_per_pixel == 24 && depth == 24) *dest_depth = 24;
  else if (bits_per_pixel == 16 && depth == 16) *dest_depth = 16;
  else if (bits_per_pixel == 16 && depth == 15) *dest_depth = 15;
  else return false;
  return true;
}

X11Placement X11PlacePicture(int32_t area_w, int32_t area_h, int32_t width, int32_t height) {
  X11Placement p{1, 0, 0};
  if (width > 0 && height > 0) p.factor = std::max(1, std::min(area_w / width, area_h / height));
  p.x = std::max(0, (area_w - width * p.factor) / 2);
  p.y = std::max(0, (area_h - height * p.factor) / 2);
  return p;
}

uint32_t X11SpecialVirtualKey(uint32_t keysym) {
  static constexpr struct { uint32_t keysym; uint8_t vk; } kKeys[] = {
      {0xFF52, 0x26}, {0xFF54, 0x28}, {0xFF51, 0x25}, {0xFF53, 0x27},  // Up Down Left Right
      {0xFF63, 0x2D}, {0xFFFF, 0x2E}, {0xFF50, 0x24}, {0xFF57, 0x23},  // Insert Delete Home End
      {0xFF55, 0x21}, {0xFF56, 0x22},                                  // Prior Next
      {0xFF97, 0x26}, {0xFF99, 0x28}, {0xFF96, 0x25}, {0xFF98, 0x27},  // keypad cursor keys
      {0xFF9E, 0x2D}, {0xFF9F, 0x2E}, {0xFF95, 0x24}, {0xFF9C, 0x23},
      {0xFF9A, 0x21}, {0xFF9B, 0x22},
  };
  if (keysym >= 0xFFBE && keysym <= 0xFFC9) return 0x70 + (keysym - 0xFFBE);  // F1 to F12
  for (const auto& k : kKeys) {
    if (k.keysym == keysym) return k.vk;
  }
  return 0;
}
