// The mode switch: closes the open screen, builds the context of the new mode,
// starts a display driver and hands the console operations to the window.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "console/runtime.h"
#include "console/services.h"
#include "gfx/screen_setup.h"
#include "gfx/window/display_driver.h"
#include "gfx/data/builtin_data.h"
#include "gfx/window/screen_failure_note.h"

namespace {

bool IsKnownMode(int32_t mode) {
  if (static_cast<uint32_t>(mode) > static_cast<uint32_t>(kScreenModeCount)) return false;
  return mode == 0 || kScreenModeTable[mode].width != -1;
}

// The depth argument counts only above mode 13 and only for the listed depths;
// an OpenGL display needs at least 16 bits.
int32_t ChooseDepth(int32_t mode, int32_t requested, int32_t flags) {
  int32_t depth = kScreenModeTable[mode].depth;
  const bool listed = requested == 8 || requested == 15 || requested == 16 || requested == 24 ||
                      requested == 32;
  if (mode >= 14 && listed) depth = requested;
  if ((flags & kDisplayOpenGl) && depth < 16) depth = 16;
  return depth;
}

void SetDepth(ScreenContext* s, int32_t depth) {
  if (depth == 15 || depth == 16) {
    s->depth = 16;
    s->colour_mask = 0xFFFF;
  } else if (depth == 24 || depth == 32) {
    s->depth = 32;
    s->colour_mask = 0xFFFFFFFF;
  } else {
    s->depth = depth;
    s->colour_mask = (1u << depth) - 1;
  }
}

void CopyModeInfo(ScreenContext* s, int32_t mode) {
  const ScreenModeInfo& info = kScreenModeTable[mode];
  s->mode = mode;
  s->width = info.width;
  s->height = info.height;
  s->palette_desc = info.palette;
  s->line_multiplier = info.line_multiplier;
  s->font_desc = info.font;
}

bool AllocatePages(ScreenContext* s, int32_t page_count) {
  const size_t page_bytes = static_cast<size_t>(s->height) * static_cast<size_t>(s->pitch);
  s->pages = static_cast<uint8_t**>(ScreenAllocZeroed(sizeof(uint8_t*) * page_count));
  if (!s->pages) return false;
  s->page_count = page_count;
  for (int32_t i = 0; i < page_count; ++i) {
    s->pages[i] = static_cast<uint8_t*>(ScreenAllocZeroed(page_bytes));
    if (!s->pages[i]) return false;
  }
  s->visible_page = s->pages[0];
  return true;
}

bool AllocateTables(ScreenContext* s) {
  s->line_table = static_cast<uint8_t**>(ScreenAllocZeroed(sizeof(uint8_t*) * s->height));
  if (!s->line_table) return false;
  for (int32_t y = 0; y < s->height; ++y) s->line_table[y] = s->visible_page + static_cast<size_t>(y) * s->pitch;
  s->dirty = static_cast<uint8_t*>(
      ScreenAllocZeroed(static_cast<size_t>(s->height) * static_cast<size_t>(s->line_multiplier)));
  s->current_palette = static_cast<uint32_t*>(ScreenAllocZeroed(256 * sizeof(uint32_t)));
  s->base_palette = static_cast<uint32_t*>(ScreenAllocZeroed(256 * sizeof(uint32_t)));
  s->key_state = static_cast<uint8_t*>(ScreenAllocZeroed(128));
  g_rgb16_lookup = static_cast<uint8_t*>(ScreenAllocZeroed(2048));
  return s->dirty && s->current_palette && s->base_palette && s->key_state && g_rgb16_lookup;
}

// Builds g_screen for the mode; false when memory ran out (the half-built context
// is left in g_screen for ScreenFreeContext).
bool BuildContext(int32_t mode, int32_t depth, int32_t page_count, int32_t flags) {
  g_screen = static_cast<ScreenContext*>(ScreenAllocZeroed(sizeof(ScreenContext)));
  if (!g_screen) return false;
  ScreenContext* s = g_screen;
  CopyModeInfo(s, mode);
  SetDepth(s, ChooseDepth(mode, depth, flags));
  s->bytes_per_pixel = (s->depth + 7) / 8;
  s->pitch = s->target_pitch = s->width * s->bytes_per_pixel;
  return AllocatePages(s, page_count) && AllocateTables(s);
}

// The window is named after the executable, once per process.
void EnsureTitle() {
  if (g_title) return;
  char* name = ExeFileName(g_title_buffer, sizeof g_title_buffer - 1);
  g_title_buffer[sizeof g_title_buffer - 1] = '\0';
  g_title = name ? name : g_title_buffer;
  CutTitleAtExtension(g_title);
}

void SetInitialState(ScreenContext* s) {
  s->foreground = s->depth == 8 ? 15 : s->colour_mask;
  s->background = 0;
  s->view_x = s->view_y = 0;
  s->view_w = s->width;
  s->view_h = s->height;
  s->line_capacity = s->height;
  s->text_cols = kScreenModeTable[s->mode].text_cols;
  s->text_rows = kScreenModeTable[s->mode].text_rows;
}

int32_t FailSetup() {
  ScreenFreeContext();
  RemoveGfxHooks();
  return SetLastErrorCode(kErrorBadArgument);
}

}  // namespace

void CutTitleAtExtension(char* name) {
  char* dot = std::strrchr(name, '.');
  if (dot) *dot = '\0';
}

int32_t ScreenSetMode(int32_t mode, int32_t depth, int32_t page_count, int32_t flags,
                      int32_t refresh_rate) {
  if (!IsKnownMode(mode)) return SetLastErrorCode(kErrorBadArgument);
  page_count = std::max(page_count, 1);
  ScreenFreeContext();
  if (mode == 0) {
    RemoveGfxHooks();
    return 0;
  }
  InstallGfxHooks();
  if (!BuildContext(mode, depth, page_count, flags)) {
    SetScreenFailure(ScreenFailure::kNoMemory);
    return FailSetup();
  }
  SelectPixelOps();
  UnpackBuiltinData();
  EnsureTitle();
  int32_t started_flags = flags;
  const DisplayDriver* driver = StartDisplayDriver(refresh_rate, &started_flags);
  if (!driver) return FailSetup();
  g_screen->driver = driver;
  g_screen->setup_flags = started_flags;
  PaletteSet(-1, 0, 0, 0);
  SetInitialState(g_screen);
  std::atexit(ScreenCloseAtExit);
  return 0;
}

void ScreenCloseAtExit() { ScreenSetMode(0, 0, 0, static_cast<int32_t>(0x80000000u), 0); }
