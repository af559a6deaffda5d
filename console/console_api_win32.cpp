// The console seam filled with the Win32 console calls.
#include <windows.h>

#include "console/console_api.h"

namespace {

COORD ToCoord(ConsoleCoord c) { return COORD{c.x, c.y}; }
ConsoleCoord FromCoord(COORD c) { return ConsoleCoord{c.X, c.Y}; }

void* StdHandle(int which) {
  return GetStdHandle(which == 0 ? STD_INPUT_HANDLE : STD_OUTPUT_HANDLE);
}

bool GetBufferInfo(void* console, ConsoleBufferInfo* info) {
  CONSOLE_SCREEN_BUFFER_INFO raw;
  if (!GetConsoleScreenBufferInfo(console, &raw)) return false;
  info->size = FromCoord(raw.dwSize);
  info->cursor = FromCoord(raw.dwCursorPosition);
  info->attributes = raw.wAttributes;
  info->window = {raw.srWindow.Left, raw.srWindow.Top, raw.srWindow.Right, raw.srWindow.Bottom};
  info->maximum_window = FromCoord(raw.dwMaximumWindowSize);
  return true;
}

bool FillAttribute(void* console, uint16_t attribute, uint32_t count, ConsoleCoord at,
                   uint32_t* written) {
  DWORD done = 0;
  BOOL ok = FillConsoleOutputAttribute(console, attribute, count, ToCoord(at), &done);
  if (written) *written = done;
  return ok != 0;
}

bool FillCharacter(void* console, char ch, uint32_t count, ConsoleCoord at, uint32_t* written) {
  DWORD done = 0;
  BOOL ok = FillConsoleOutputCharacterA(console, ch, count, ToCoord(at), &done);
  if (written) *written = done;
  return ok != 0;
}

bool SetTextAttribute(void* console, uint16_t attribute) {
  return SetConsoleTextAttribute(console, attribute) != 0;
}

bool SetCursorPosition(void* console, ConsoleCoord at) {
  return SetConsoleCursorPosition(console, ToCoord(at)) != 0;
}

bool GetCursorState(void* console, ConsoleCursorState* state) {
  CONSOLE_CURSOR_INFO raw;
  if (!GetConsoleCursorInfo(console, &raw)) return false;
  state->size = raw.dwSize;
  state->visible = raw.bVisible != 0;
  return true;
}

bool SetCursorState(void* console, const ConsoleCursorState* state) {
  CONSOLE_CURSOR_INFO raw;
  raw.dwSize = state->size;
  raw.bVisible = state->visible ? TRUE : FALSE;
  return SetConsoleCursorInfo(console, &raw) != 0;
}

bool GetMode(void* console, uint32_t* mode) {
  DWORD raw = 0;
  if (!GetConsoleMode(console, &raw)) return false;
  *mode = raw;
  return true;
}

bool SetMode(void* console, uint32_t mode) { return SetConsoleMode(console, mode) != 0; }

bool Scroll(void* console, const ConsoleRect* rect, ConsoleCoord destination, char fill_char,
            uint16_t fill_attribute) {
  SMALL_RECT area = {rect->left, rect->top, rect->right, rect->bottom};
  CHAR_INFO fill;
  fill.Char.AsciiChar = fill_char;
  fill.Attributes = fill_attribute;
  return ScrollConsoleScreenBufferA(console, &area, nullptr, ToCoord(destination), &fill) != 0;
}

ConsoleCoord LargestWindowSize(void* console) {
  return FromCoord(GetLargestConsoleWindowSize(console));
}

bool Write(void* console, const void* bytes, uint32_t length, uint32_t* written) {
  DWORD done = 0;
  BOOL ok = WriteFile(console, bytes, length, &done, nullptr);
  if (written) *written = done;
  return ok != 0;
}

}  // namespace

ConsoleApi g_console_api = {
    .std_handle = StdHandle,
    .get_buffer_info = GetBufferInfo,
    .fill_attribute = FillAttribute,
    .fill_character = FillCharacter,
    .set_text_attribute = SetTextAttribute,
    .set_cursor_position = SetCursorPosition,
    .get_cursor_info = GetCursorState,
    .set_cursor_info = SetCursorState,
    .get_mode = GetMode,
    .set_mode = SetMode,
    .scroll = Scroll,
    .largest_window_size = LargestWindowSize,
    .write = Write,
};
