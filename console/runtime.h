// The run-time frame: start and end of the program, the last error code and the
// numbered file table shared by the console services.
#pragma once
#include <cstdint>
#include <cstdio>

struct FileSlot {
  FILE* stream;          // null: no file open on this number
  int32_t print_column;  // zero-based column of the next print position
  int32_t mode;          // unused in this system: what opening a file would set
  int32_t record_length;
};

constexpr int kFileCount = 255;
// Slots 1 to 255 are file numbers; slot 0 is never used.
extern FileSlot g_file_table[kFileCount + 1];

// 0 = no error, 1 = bad argument or state, 3 = write failure.
constexpr int32_t kErrorNone = 0;
constexpr int32_t kErrorBadArgument = 1;
constexpr int32_t kErrorWriteFailed = 3;
int32_t LastErrorCode();
// Sets the last error code and returns it.
int32_t SetLastErrorCode(int32_t code);

void RuntimeInit(int argc, char** argv);
[[noreturn]] void RuntimeEnd(int32_t code);

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
