// Colour maps: which built-in palette entry each framebuffer value of the 1-,
// 2- and 4-bit modes shows when a mode's default palette is loaded.
#include "gfx/data/builtin_data.h"

// The four colour sets of the 2-bit mode.
const uint8_t kColourMap2Bit[4][4] = {
    {0, 11, 13, 15},
    {0, 10, 12, 14},
    {0, 3, 5, 7},
    {0, 2, 4, 6},
};

const uint8_t kColourMap1Bit[2] = {0, 15};

const uint8_t kColourMap4Bit[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

// The 16 default colours as entries of the 64-colour EGA palette (brown is 20).
const uint8_t kColourMap64[16] = {0, 1, 2, 3, 4, 5, 20, 7, 56, 57, 58, 59, 60, 61, 62, 63};
