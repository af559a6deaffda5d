// Platform-neutral choices of the X11 window layer: the blitter format for an X
// visual, the whole-number scaling and centring of the fullscreen picture, and
// the X key symbols of the special keys as Win32 virtual keys.
#pragma once
#include <cstdint>

// The blitter's destination depth and colour order for a TrueColor visual of
// depth bits stored in bits_per_pixel; false when no blitter writes it.
bool X11BlitFormat(int32_t depth, int32_t bits_per_pixel, uint32_t red_mask, int32_t* dest_depth,
                   int32_t* rgb_order);

// The largest whole factor at which a width x height picture fits the area
// (at least 1), and the top-left corner that centres the scaled picture.
struct X11Placement {
  int32_t factor;
  int32_t x;
  int32_t y;
};
X11Placement X11PlacePicture(int32_t area_w, int32_t area_h, int32_t width, int32_t height);

// The Win32 virtual key of a special key's X key symbol (cursor block, keypad
// cursor keys with Num Lock off, F1 to F12), or 0.
uint32_t X11SpecialVirtualKey(uint32_t keysym);
