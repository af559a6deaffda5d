// The console seam on a Unix terminal: every call acts on the terminal's screen
// copy, and what it changed is sent at once.
#include "console/console_api.h"
#include "console/terminal_tty.h"

namespace {

TerminalScreen* Screen() { return TerminalTtyScreen(); }

// Sends what a call changed, the cursor last.
bool Done(bool result) {
  TerminalSyncCursor(Screen());
  TerminalTtyFlush();
  return result;
}

void* StdHandle(int which) { return which == 0 ? nullptr : Screen(); }

bool GetBufferInfo(void*, ConsoleBufferInfo* info) {
  TerminalScreen* s = Screen();
  ConsoleCoord size = {static_cast<int16_t>(s->width), static_cast<int16_t>(s->height)};
  *info = ConsoleBufferInfo{size, s->cursor, s->attribute,
                            ConsoleRect{0, 0, static_cast<int16_t>(s->width - 1),
                                        static_cast<int16_t>(s->height - 1)},
                            size};
  return true;
}

bool FillAttribute(void*, uint16_t attribute, uint32_t count, ConsoleCoord at, uint32_t* written) {
  uint32_t n = TerminalFillAttribute(Screen(), attribute, count, at);
  if (written) *written = n;
  return Done(true);
}

bool FillCharacter(void*, char ch, uint32_t count, ConsoleCoord at, uint32_t* written) {
  uint32_t n = TerminalFillCharacter(Screen(), ch, count, at);
  if (written) *written = n;
  return Done(true);
}

bool SetTextAttribute(void*, uint16_t attribute) {
  Screen()->attribute = attribute;
  return true;
}

bool SetCursorPosition(void*, ConsoleCoord at) { return Done(TerminalSetCursorPosition(Screen(), at)); }

bool GetCursorState(void*, ConsoleCursorState* state) {
  *state = Screen()->cursor_state;
  return true;
}

bool SetCursorState(void*, const ConsoleCursorState* state) {
  TerminalSetCursorState(Screen(), *state);
  return Done(true);
}

bool GetMode(void*, uint32_t* mode) {
  *mode = Screen()->mode;
  return true;
}

bool SetMode(void*, uint32_t mode) {
  Screen()->mode = mode;
  return true;
}

bool Scroll(void*, const ConsoleRect* rect, ConsoleCoord destination, char fill_char,
            uint16_t fill_attribute) {
  return Done(TerminalScroll(Screen(), *rect, destination, fill_char, fill_attribute));
}

// One row less than the terminal: the runtime's text view ends one row below
// the largest window, and the copy has no rows beyond the terminal's.
ConsoleCoord LargestWindowSize(void*) {
  TerminalScreen* s = Screen();
  return ConsoleCoord{static_cast<int16_t>(s->width), static_cast<int16_t>(s->height - 1)};
}

bool Write(void*, const void* bytes, uint32_t length, uint32_t* written) {
  TerminalWrite(Screen(), static_cast<const uint8_t*>(bytes), length);
  if (written) *written = length;
  return Done(true);
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
