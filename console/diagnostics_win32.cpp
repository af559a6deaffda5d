// The debugger's copy of a runtime diagnostic on Windows, where a program
// without a console has no standard error to read.
#include <windows.h>

#include "console/runtime_internal.h"

void PlatformDebugOutput(const char* line) {
  OutputDebugStringA(line);
  OutputDebugStringA("\n");
}
