// A linear congruential generator with the classic constants, returning the
// high 15 bits of its 32-bit state. Its state starts as if seeded with 1.
#include "console/random_lcg.h"

namespace {

uint32_t g_state = 1;

}  // namespace

void LcgSeed(uint32_t seed) { g_state = seed; }

int32_t LcgNext() {
  g_state = g_state * 214013u + 2531011u;
  return static_cast<int32_t>((g_state >> 16) & 0x7FFF);
}
