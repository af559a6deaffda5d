// Standard input in a browser: a line typed into the page's terminal, echoed
// as a console in line mode echoes it (the characters in the console's colours,
// Backspace taking the last one back, Enter a new line). Typed UTF-8 becomes
// the code page 866 bytes the program works in, through the same key decoder
// as single keys. Ctrl+Z at the start of a line ends that read only.
#include <string>

#include "console/console_input_api.h"
#include "console/stdin_line.h"
#include "console/terminal_tty.h"

namespace {

constexpr uint8_t kBackspace = 8;
constexpr uint8_t kEnter = 13;
constexpr uint8_t kEndOfInput = 26;

void Echo(const char* bytes, uint32_t length) {
  TerminalScreen* screen = TerminalTtyScreen();
  TerminalWrite(screen, reinterpret_cast<const uint8_t*>(bytes), length);
  TerminalSyncCursor(screen);
  TerminalTtyFlush();
}

// The next typed character (code page 866, control characters included), or
// -1 when input cannot be read.
int NextCharacter() {
  ConsoleKeyRecord record;
  for (;;) {
    if (!g_console_input_api.read(&record)) return -1;
    if (record.is_key && record.key_down && record.char_code != 0) return record.char_code;
  }
}

}  // namespace

char* ReadStandardInputLine(char* buffer, int32_t size) {
  if (size <= 0) return nullptr;
  std::string line;
  for (;;) {
    const int ch = NextCharacter();
    if (ch < 0 || (ch == kEndOfInput && line.empty())) return nullptr;
    if (ch == kEnter) break;
    if (ch == kBackspace) {
      if (!line.empty()) {
        line.pop_back();
        Echo("\b \b", 3);
      }
      continue;
    }
    // Room is kept for the line feed and the terminating null.
    if (ch < 0x20 || static_cast<int32_t>(line.size()) + 2 >= size) continue;
    line += static_cast<char>(ch);
    Echo(&line.back(), 1);
  }
  Echo("\r\n", 2);
  if (static_cast<int32_t>(line.size()) + 1 < size) line += '\n';
  line.copy(buffer, line.size());
  buffer[line.size()] = 0;
  return buffer;
}
