// The console seam on the native build: a plain terminal with no cursor or
// colour control. Text goes to standard output; every query fails, so the
// runtime falls back to its defaults (80 columns).
#include <unistd.h>

#include <cerrno>

#include "console/console_api.h"

namespace {

void* StdHandle(int) { return nullptr; }
bool GetBufferInfo(void*, ConsoleBufferInfo*) { return false; }
bool FillAttribute(void*, uint16_t, uint32_t, ConsoleCoord, uint32_t* written) {
  if (written) *written = 0;
  return false;
}
bool FillCharacter(void*, char, uint32_t, ConsoleCoord, uint32_t* written) {
  if (written) *written = 0;
  return false;
}
bool SetTextAttribute(void*, uint16_t) { return false; }
bool SetCursorPosition(void*, ConsoleCoord) { return false; }
bool GetCursorState(void*, ConsoleCursorState*) { return false; }
bool SetCursorState(void*, const ConsoleCursorState*) { return false; }
bool GetMode(void*, uint32_t*) { return false; }
bool SetMode(void*, uint32_t) { return false; }
bool Scroll(void*, const ConsoleRect*, ConsoleCoord, char, uint16_t) { return false; }
ConsoleCoord LargestWindowSize(void*) { return ConsoleCoord{80, 24}; }

bool Write(void*, const void* bytes, uint32_t length, uint32_t* written) {
  ssize_t done;
  do {
    done = ::write(STDOUT_FILENO, bytes, length);
  } while (done < 0 && errno == EINTR);
  if (written) *written = done > 0 ? static_cast<uint32_t>(done) : 0;
  return done >= 0;
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
