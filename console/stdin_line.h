// Reading one line of standard input with fgets' contract (up to size - 1 bytes,
// the line feed kept, null at end of input). On a console the line is read from
// the console itself, so that an end of input typed as Ctrl+Z answers only the
// read it was typed for: the C library's end-of-file mark on stdin would answer
// every later read too, and some C libraries never clear it.
#pragma once
#include <cstdint>

char* ReadStandardInputLine(char* buffer, int32_t size);

// The byte source of a cooked console line: the next byte, or -1 at the end.
struct CookedLineSource {
  int (*next)(void* context);
  void* context;
  int pending;  // a byte read ahead and not yet used, or -1
};

// Assembles one line from a console's cooked bytes: CR LF becomes LF, and a
// Ctrl+Z (26) at the start of a line is end of input; the rest of that line is
// discarded. Null when nothing was read.
char* ReadCookedLine(CookedLineSource* source, char* buffer, int32_t size);
