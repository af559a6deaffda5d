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
  // False when the queue is surely empty, found without reading it; null
  // where that is unknown (every poll then peeks). Peeking at a Windows
  // console's queue asks the console's own process, a round trip of up to
  // hundreds of microseconds under Wine; the input handle's signalled state is
  // known to the kernel (or Wine's server) and answers in one call.
  bool (*ready)();
};

extern ConsoleInputApi g_console_input_api;
