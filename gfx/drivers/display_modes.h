// Platform-neutral choices of the display drivers: which fullscreen display
// mode to ask for, which blitter a display surface's pixel format needs, and
// the growing list of modes that fetch_modes hands to the caller.
#pragma once
#include <cstdint>

// Asks the display for width x height x depth at a refresh rate; true when the
// display took it. mode_flags carries kStandardVgaModeFlag for 320x200x8.
using DisplayModeSetter = bool (*)(void* context, int32_t width, int32_t height, int32_t depth,
                                   int32_t refresh_rate, uint32_t mode_flags);

// The value DirectDraw gives DDSDM_STANDARDVGAMODE (the mode 13h of old).
constexpr uint32_t kStandardVgaModeFlag = 0x1;

struct DisplayModeChoice {
  int32_t height;    // rows of the display mode that was set
  int32_t depth;     // the depth asked for, or its twin
  int32_t y_offset;  // rows above framebuffer row 0: the taller mode centres it
};

// 15 for 16 and back, 24 for 32 and back; 0 for depths without a twin.
int32_t TwinDepth(int32_t depth);
// The next standard display height above h (240, 480, 600, 768, 1024), or 0
// when h is already 1024 or more.
int32_t NextStandardHeight(int32_t height);
// Tries the screen's own size first, then its depth's twin, then each taller
// standard height in turn. False when no mode was taken.
bool SearchDisplayMode(int32_t width, int32_t height, int32_t depth, int32_t refresh_rate,
                       DisplayModeSetter set, void* context, DisplayModeChoice* choice);

// A display surface's pixel format as the blitters name it.
struct SurfaceFormat {
  int32_t depth;      // 8, 15, 16, 24 or 32
  int32_t rgb_order;  // non-zero: red in the low bits
};
// The bit count that a mode list reports: 16-bit formats with a 5-bit green
// field (mask 0x3E0) are 15-bit.
int32_t FormatBits(uint32_t bit_count, uint32_t green_mask);
SurfaceFormat SurfaceFormatFromMasks(uint32_t bit_count, uint32_t red_mask, uint32_t green_mask);

// A mode list under construction: entries (width << 16) | height, grown one at
// a time with realloc so that the caller can free it with free.
struct ModeList {
  int32_t* modes = nullptr;
  int32_t count = 0;
  bool failed = false;  // out of memory: the list is freed and stays empty
};
void ModeListAppend(ModeList* list, int32_t width, int32_t height);
// Frees the list and marks it failed.
void ModeListDiscard(ModeList* list);
