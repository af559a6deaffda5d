// The seam between key reading and the console's input records. The Windows
// build reads the console's input queue; tests put their own queue in it.
#pragma once
#include "console/key_translate.h"

struct ConsoleInputApi {
  // The record at the head of the input queue, left in place; false when the
  // queue is empty or cannot be read.
  bool (*peek)(ConsoleKeyRecord* record);
  // Removes the head record, waiting for one; false when input cannot be read.
  bool (*read)(ConsoleKeyRecord* record);
  // Waits at most ms milliseconds for a record to arrive; true when one may
  // have. Null where nothing can arrive (the native build).
  bool (*wait)(int32_t ms);
};

extern ConsoleInputApi g_console_input_api;
