// The key-poll pacing's clock on the native build: the monotonic clock, read
// through the vDSO without a system call.
#include <time.h>

#include "console/key_poll_pacing.h"

int64_t KeyPollClockUs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

bool KeyPollClockIsCoarse() { return false; }
