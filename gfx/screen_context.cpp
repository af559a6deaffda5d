// The one screen context of the process and its release. The driver is stopped
// first: its update thread reads the pages, dirty flags and palette until then.
#include <cstdlib>

#include "gfx/screen_setup.h"
#include "gfx/window/display_driver.h"

ScreenContext* g_screen = nullptr;
char g_title_buffer[128];
char* g_title = nullptr;
uint8_t* g_rgb16_lookup = nullptr;

namespace {

void FreePages(ScreenContext* s) {
  if (!s->pages) return;
  for (int32_t i = 0; i < s->page_count; ++i) std::free(s->pages[i]);
  std::free(s->pages);
}

}  // namespace

void ScreenFreeContext() {
  ScreenContext* s = g_screen;
  if (s) {
    if (s->driver && s->driver->exit) s->driver->exit();
    FreePages(s);
    std::free(s->line_table);
    std::free(s->current_palette);
    std::free(s->base_palette);
    std::free(s->dirty);
    std::free(s->key_state);
    std::free(s);
    g_screen = nullptr;
  }
  std::free(g_rgb16_lookup);
  g_rgb16_lookup = nullptr;
}
