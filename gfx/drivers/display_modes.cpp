// The display drivers' platform-neutral choices, kept apart from DirectDraw so
// that they are tested with fake displays on any machine.
#include "gfx/drivers/display_modes.h"

#include <cstdlib>
#include <initializer_list>

int32_t TwinDepth(int32_t depth) {
  switch (depth) {
    case 15: return 16;
    case 16: return 15;
    case 24: return 32;
    case 32: return 24;
    default: return 0;
  }
}

int32_t NextStandardHeight(int32_t height) {
  for (int32_t step : {240, 480, 600, 768, 1024}) {
    if (height < step) return step;
  }
  return 0;
}

namespace {

uint32_t ModeFlags(int32_t width, int32_t height, int32_t depth) {
  return width == 320 && height == 200 && depth == 8 ? kStandardVgaModeFlag : 0;
}

bool TryDepths(int32_t width, int32_t h, int32_t depth, int32_t refresh_rate,
               DisplayModeSetter set, void* context, int32_t* taken) {
  if (set(context, width, h, depth, refresh_rate, ModeFlags(width, h, depth))) {
    *taken = depth;
    return true;
  }
  const int32_t twin = TwinDepth(depth);
  if (twin && set(context, width, h, twin, refresh_rate, ModeFlags(width, h, twin))) {
    *taken = twin;
    return true;
  }
  return false;
}

}  // namespace

bool SearchDisplayMode(int32_t width, int32_t height, int32_t depth, int32_t refresh_rate,
                       DisplayModeSetter set, void* context, DisplayModeChoice* choice) {
  for (int32_t h = height; h > 0; h = NextStandardHeight(h)) {
    int32_t taken = 0;
    if (TryDepths(width, h, depth, refresh_rate, set, context, &taken)) {
      *choice = DisplayModeChoice{h, taken, (h - height) / 2};
      return true;
    }
  }
  return false;
}

int32_t FormatBits(uint32_t bit_count, uint32_t green_mask) {
  if (bit_count == 16 && green_mask == 0x3E0) return 15;
  return static_cast<int32_t>(bit_count);
}

SurfaceFormat SurfaceFormatFromMasks(uint32_t bit_count, uint32_t red_mask, uint32_t green_mask) {
  const bool red_low = (bit_count >= 24 && red_mask == 0xFF) || (bit_count >= 16 && red_mask == 0x1F);
  return SurfaceFormat{FormatBits(bit_count, green_mask), red_low ? 1 : 0};
}

void ModeListAppend(ModeList* list, int32_t width, int32_t height) {
  if (list->failed) return;
  const size_t bytes = sizeof(int32_t) * (static_cast<size_t>(list->count) + 1);
  int32_t* grown = static_cast<int32_t*>(std::realloc(list->modes, bytes));
  if (!grown) {
    ModeListDiscard(list);
    return;
  }
  list->modes = grown;
  list->modes[list->count++] = static_cast<int32_t>(static_cast<uint32_t>(width) << 16 |
                                                    static_cast<uint32_t>(height & 0xFFFF));
}

void ModeListDiscard(ModeList* list) {
  std::free(list->modes);
  list->modes = nullptr;
  list->count = 0;
  list->failed = true;
}
