// Standard input in a browser: a line typed into the page's terminal, edited
// and echoed as a console in line mode does it (console/line_edit.h), in the
// console's colours. Typed UTF-8 becomes the code page 866 bytes the program
// works in, through the same key decoder as single keys.
#include "console/console_input_api.h"
#include "console/line_edit.h"
#include "console/stdin_line.h"
#include "console/terminal_tty.h"

namespace {

int NextCharacter(void*) {
  ConsoleKeyRecord record;
  for (;;) {
    if (!g_console_input_api.read(&record)) return -1;
    if (record.is_key && record.key_down && record.char_code != 0) return record.char_code;
  }
}

void Echo(void*, const char* bytes, uint32_t length) {
  TerminalScreen* screen = TerminalTtyScreen();
  TerminalWrite(screen, reinterpret_cast<const uint8_t*>(bytes), length);
  TerminalSyncCursor(screen);
  TerminalTtyFlush();
}

}  // namespace

char* ReadStandardInputLine(char* buffer, int32_t size) {
  static LineEditor editor{LineEditIo{NextCharacter, Echo, nullptr}, {}};
  return EditLine(&editor, buffer, size);
}
