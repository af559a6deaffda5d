// The key-poll pacing's clock on Windows: the performance counter, which
// needs no kernel call on current systems.
#include <windows.h>

#include "console/key_poll_pacing.h"

int64_t KeyPollClockUs() {
  static const int64_t frequency = [] {
    LARGE_INTEGER f;
    return QueryPerformanceFrequency(&f) && f.QuadPart > 0 ? f.QuadPart : int64_t{1000000};
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  const int64_t q = now.QuadPart;
  return q / frequency * 1000000 + q % frequency * 1000000 / frequency;  // no overflow
}

bool KeyPollClockIsCoarse() { return false; }
