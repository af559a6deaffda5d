// Standard input on a Unix terminal: the line is read cooked, so the terminal
// echoes it and backspace edits it; Ctrl+D on an empty line ends only that
// read. Typed UTF-8 becomes the code page 866 bytes the program works in.
// Anything that is not a terminal goes through the C library.
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "console/cp866.h"
#include "console/stdin_line.h"
#include "console/terminal_keys.h"
#include "console/terminal_tty.h"

namespace {

int NextTerminalByte(void*) {
  uint8_t byte = 0;
  ssize_t got;
  do {
    got = ::read(STDIN_FILENO, &byte, 1);
  } while (got < 0 && errno == EINTR);
  return got == 1 ? byte : -1;
}

// Rewrites the line's UTF-8 in place as code page 866; unmappable characters
// are dropped.
void ToCodePage(char* line) {
  const uint8_t* in = reinterpret_cast<const uint8_t*>(line);
  size_t length = 0;
  while (in[length]) ++length;
  size_t out = 0, at = 0;
  while (at < length) {
    TerminalKey key = DecodeTerminalKey(in + at, length - at, true);
    if (in[at] < 0x80) {
      line[out++] = static_cast<char>(in[at++]);
      continue;
    }
    if (key.status == TerminalKeyStatus::kKey) line[out++] = static_cast<char>(key.record.char_code);
    at += key.used > 0 ? key.used : 1;
  }
  line[out] = 0;
}

}  // namespace

char* ReadStandardInputLine(char* buffer, int32_t size) {
  if (!isatty(STDIN_FILENO)) return std::fgets(buffer, size, stdin);
  TerminalTtyLineMode(true);
  static CookedLineSource source = {NextTerminalByte, nullptr, -1};
  char* line = ReadCookedLine(&source, buffer, size);
  TerminalTtyLineMode(false);
  if (!line) return nullptr;
  ToCodePage(line);
  uint32_t length = 0;
  while (line[length]) ++length;
  TerminalEchoed(TerminalTtyScreen(), reinterpret_cast<const uint8_t*>(line), length);
  TerminalSyncCursor(TerminalTtyScreen());
  TerminalTtyFlush();
  return line;
}
