// A typed line edited as a console in line mode edits it, for platforms whose
// terminal does not do it itself (the browser's terminal widget): printable
// characters are taken and echoed, Backspace takes the last one back, Escape
// the whole line, Enter ends it; Ctrl+Z at the start of a line is the end of
// input. Pure: the characters come from next and the echo goes to echo.
#pragma once
#include <cstdint>
#include <string>

struct LineEditIo {
  // The next typed character (code page 866, control characters included),
  // or -1 when input cannot be read.
  int (*next)(void* context);
  // Shows bytes as the console would write them ("\b \b" erases one).
  void (*echo)(void* context, const char* bytes, uint32_t length);
  void* context;
};

// The longest line taken; characters typed beyond it are neither taken nor
// echoed.
constexpr size_t kLongestEditedLine = 8190;

struct LineEditor {
  LineEditIo io;
  std::string pending;  // the edited line's bytes not yet returned
};

// Reads one line into buffer with fgets' contract: at most size - 1 bytes and
// a null, the line feed kept; a longer line comes in pieces over the next
// calls, which edit nothing until it is used up. Null, with the buffer
// unchanged, at the end of input.
char* EditLine(LineEditor* editor, char* buffer, int32_t size);
