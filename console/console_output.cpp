// The text console's colours, cursor placement, cursor and size queries and
// clearing, acting on the process's console through the console seam.
#include <cstring>

#include "console/console_api.h"
#include "console/console_internal.h"
#include "console/print_internal.h"
#include "console/runtime_internal.h"
#include "console/text_console.h"

namespace {

// The colour numbers are the console's own, so the map is the identity; it stays
// a table so that a console with another colour order needs only new entries.
constexpr int32_t kColorMap[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
constexpr int32_t kStartForeground = 7;
constexpr int32_t kStartBackground = 0;
constexpr int32_t kDefaultColumns = 80;

int32_t g_fg_color = kStartForeground;
int32_t g_bg_color = kStartBackground;

}  // namespace

ConsoleBufferInfo ReadBufferInfo() {
  ConsoleBufferInfo info;
  std::memset(&info, 0, sizeof info);
  if (!g_console_api.get_buffer_info(StdOutputHandle(), &info)) std::memset(&info, 0, sizeof info);
  return info;
}

void ConsoleResetColors() {
  g_fg_color = kStartForeground;
  g_bg_color = kStartBackground;
}

int32_t ConsoleSetColor(int32_t foreground, int32_t background) {
  int32_t previous = static_cast<int32_t>(static_cast<uint32_t>(g_bg_color) << 16) | g_fg_color;
  if (foreground >= 0) g_fg_color = kColorMap[foreground & 15];
  if (background >= 0) g_bg_color = kColorMap[background & 15];
  uint16_t attribute = static_cast<uint16_t>((g_fg_color + 16 * g_bg_color) & 0xFFFF);
  g_console_api.set_text_attribute(StdOutputHandle(), attribute);
  return previous;
}

int32_t ConsoleLocate(int32_t row, int32_t column, int32_t visibility) {
  ConsoleBufferInfo info = ReadBufferInfo();
  int32_t x = column > 0 ? column - 1 : info.cursor.x;
  int32_t y = row > 0 ? row - 1 : info.cursor.y;
  ConsoleCursorState cursor = {0, false};
  bool known = g_console_api.get_cursor_info(StdOutputHandle(), &cursor);
  if (visibility >= 0) {
    cursor.visible = visibility != 0;
    if (known) g_console_api.set_cursor_info(StdOutputHandle(), &cursor);
  }
  ConsoleCoord at = {static_cast<int16_t>(x), static_cast<int16_t>(y)};
  g_console_api.set_cursor_position(StdOutputHandle(), at);
  SetConsolePrintColumn(x);
  int32_t packed = (((y + 1) & 255) << 8) | ((x + 1) & 255);
  return cursor.visible ? packed | 0x10000 : packed;
}

int32_t ConsoleCursorColumn() { return ReadBufferInfo().cursor.x + 1; }
int32_t ConsoleCursorRow() { return ReadBufferInfo().cursor.y + 1; }

void ConsoleCursorPosition(int32_t* column, int32_t* row) {
  ConsoleBufferInfo info = ReadBufferInfo();
  if (column) *column = info.cursor.x + 1;
  if (row) *row = info.cursor.y + 1;
}

void ConsoleTextSize(int32_t* columns, int32_t* rows) {
  if (columns) {
    ConsoleBufferInfo info;
    bool known = g_console_api.get_buffer_info(StdOutputHandle(), &info);
    *columns = known ? info.size.x : kDefaultColumns;
  }
  if (rows) {
    int32_t top = 0, bottom = 0;
    ViewBounds(&top, &bottom);
    *rows = bottom - top + 1;
  }
}

void ConsoleClear(int32_t mode) {
  ConsoleBufferInfo info = ReadBufferInfo();
  int32_t top = 0, bottom = 0;
  ViewBounds(&top, &bottom);
  ConsoleCoord start = {0, 0};
  uint32_t count = static_cast<uint32_t>(info.size.x) * static_cast<uint32_t>(info.size.y);
  if (mode == 1 || mode == kNoArgument) {
    start.y = static_cast<int16_t>(top - 1);
    count = static_cast<uint32_t>(bottom - top + 1) * static_cast<uint32_t>(info.size.x);
  }
  uint32_t written = 0;
  g_console_api.fill_attribute(StdOutputHandle(), info.attributes, count, start, &written);
  g_console_api.fill_character(StdOutputHandle(), ' ', count, start, &written);
  ConsoleLocate(top, 1, -1);
}
