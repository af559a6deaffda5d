// The run-time frame's state that only the runtime's own files use: the numbered
// file table, the module start and end lists, the standard console handles and
// the diagnostics the runtime gives.
#pragma once
#include <cstdint>
#include <cstdio>

#include "console/runtime.h"

struct FileSlot {
  FILE* stream;          // null: no file open on this number
  int32_t print_column;  // zero-based column of the next print position
  int32_t mode;          // unused in this system: what opening a file would set
  int32_t record_length;
};

constexpr int kFileCount = 255;
// Slots 1 to 255 are file numbers; slot 0 is never used.
extern FileSlot g_file_table[kFileCount + 1];

// The stream of a file number 1 to 255, or null (bad number or nothing open).
FILE* FileStream(int32_t file_number);

// Module start and end lists: routines run by RuntimeInit and RuntimeEnd in the
// order of registration. Returns false when the list is full.
using RuntimeRoutine = void (*)();
bool RuntimeAddModuleStart(RuntimeRoutine routine);
bool RuntimeAddModuleEnd(RuntimeRoutine routine);

// The standard console handles fetched by RuntimeInit (null before).
void* StdInputHandle();
void* StdOutputHandle();

// Hands one diagnostic line to the program's handler.
void RuntimeDiagnostic(const char* line);
// The platform's part of the default handler: the debugger on Windows, nothing
// elsewhere.
void PlatformDebugOutput(const char* line);
