// The text view: the band of screen-buffer rows that the console's text scrolls
// within, and the scrolling of it.
#include "console/console_api.h"
#include "console/console_internal.h"
#include "console/runtime_internal.h"
#include "console/text_console.h"

namespace {

// Zero-based; -1 until first read.
int32_t g_view_top = -1;
int32_t g_view_bottom = -1;

}  // namespace

int32_t LargestHeight() {
  return g_console_api.largest_window_size(StdOutputHandle()).y + 1;
}

void ViewBounds(int32_t* top, int32_t* bottom) {
  if (g_view_top < 0) g_view_top = 0;
  if (g_view_bottom < 0) g_view_bottom = LargestHeight() - 1;
  if (top) *top = g_view_top + 1;
  if (bottom) *bottom = g_view_bottom + 1;
}

bool SetViewBounds(int32_t top, int32_t bottom) {
  if (top < 1 || bottom < top) return false;
  g_view_top = top - 1;
  g_view_bottom = bottom - 1;
  return true;
}

void ScrollView(int32_t n) {
  if (n <= 0) return;
  int32_t width = 0;
  ConsoleTextSize(&width, nullptr);
  int32_t top = 0, bottom = 0;
  ViewBounds(&top, &bottom);
  ConsoleRect rect = {0, static_cast<int16_t>(top - 1 + n), static_cast<int16_t>(width - 1),
                      static_cast<int16_t>(bottom - 1)};
  ConsoleCoord destination = {0, static_cast<int16_t>(top - 1)};
  uint16_t attribute = ReadBufferInfo().attributes;
  g_console_api.scroll(StdOutputHandle(), &rect, destination, ' ', attribute);
  ConsoleLocate(bottom - n + 1, -1, -1);
}

void ConsoleResetState() {
  ConsoleResetColors();
  g_view_top = -1;
  g_view_bottom = -1;
}
