// Writing text at the console's cursor: keeps a text that exactly fills the last
// row of the view from scrolling, and scrolls a set view ahead of a text that
// would run past its bottom.
#include "console/console_api.h"
#include "console/print.h"
#include "console/runtime_internal.h"
#include "console/text_console.h"

namespace {

// Scrolls the view so that a text of length bytes written from (x, y) plus an
// optional newline stays inside it, and moves the cursor up with the text.
void MakeRoomBelow(int64_t x, int64_t y, int64_t width, int64_t bottom, int64_t length,
                   int32_t print_mode) {
  if (width <= 0) return;
  int64_t needed = (x - width + length - 1) / width + 1;
  if (print_mode & kPrintNewline) ++needed;
  int64_t excess = needed - (bottom - y);
  if (excess <= 0) return;
  if (excess > bottom) excess = bottom;  // more than the whole view: scroll it all
  ScrollView(static_cast<int32_t>(excess));
  ConsoleLocate(static_cast<int32_t>(bottom - excess), -1, -1);
}

void WriteAll(const char* bytes, uint32_t length) {
  while (length > 0) {
    uint32_t written = 0;
    if (!g_console_api.write(StdOutputHandle(), bytes, length, &written)) return;
    if (written == 0 || written > length) return;  // a console that takes nothing would loop forever
    bytes += written;
    length -= written;
  }
}

}  // namespace

void ConsoleWrite(const char* bytes, int32_t length, int32_t print_mode) {
  if (!bytes || length <= 0) return;
  int32_t width = 0;
  ConsoleTextSize(&width, nullptr);
  int32_t top = 0, bottom = 0;
  ViewBounds(&top, &bottom);
  int32_t x = 0, y = 0;
  ConsoleCursorPosition(&x, &y);
  int32_t largest = LargestHeight();

  if (y > bottom && largest != bottom) {
    ScrollView(1);
    y = bottom;
  }
  bool suppress_wrap = false;
  uint32_t saved_mode = 0;
  int64_t last_column = static_cast<int64_t>(x) + length - 1;
  if (!(print_mode & kPrintNewline) && y == bottom && last_column == width) {
    if (g_console_api.get_mode(StdOutputHandle(), &saved_mode)) {
      suppress_wrap = g_console_api.set_mode(StdOutputHandle(), saved_mode & ~kConsoleWrapAtEol);
    }
  } else if (last_column > width && largest != bottom) {
    MakeRoomBelow(x, y, width, bottom, length, print_mode);
  }
  WriteAll(bytes, static_cast<uint32_t>(length));
  if (suppress_wrap) g_console_api.set_mode(StdOutputHandle(), saved_mode);
}
