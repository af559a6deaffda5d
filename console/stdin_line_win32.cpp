// Standard input on Windows: a console is read directly, one cooked byte at a
// time, so that Ctrl+Z ends only the line it was typed on; anything else (a file,
// a pipe) goes through the C library as before.
#include <windows.h>

#include <cstdio>

#include "console/stdin_line.h"

namespace {

int NextConsoleByte(void* context) {
  unsigned char byte = 0;
  DWORD got = 0;
  if (!ReadFile(static_cast<HANDLE>(context), &byte, 1, &got, nullptr) || got == 0) return -1;
  return byte;
}

}  // namespace

char* ReadStandardInputLine(char* buffer, int32_t size) {
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  DWORD mode = 0;
  if (input == INVALID_HANDLE_VALUE || !GetConsoleMode(input, &mode)) {
    return std::fgets(buffer, size, stdin);
  }
  // Kept between calls: a byte read ahead after a lone CR belongs to the next line.
  static CookedLineSource source = {NextConsoleByte, nullptr, -1};
  source.context = input;
  return ReadCookedLine(&source, buffer, size);
}
