// Native builds read standard input through the C library.
#include <cstdio>

#include "console/stdin_line.h"

char* ReadStandardInputLine(char* buffer, int32_t size) { return std::fgets(buffer, size, stdin); }
