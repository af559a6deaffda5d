// Float-to-integer conversions shared by the drawing routines. Out-of-range and
// NaN inputs give INT32_MIN, the value the processor's own conversion yields,
// instead of undefined behaviour.
#pragma once
#include <cmath>
#include <cstdint>

inline int32_t TruncToInt(long double v) {
  if (!(v > -2147483649.0L && v < 2147483648.0L)) return INT32_MIN;
  return static_cast<int32_t>(v);
}

// Half away from zero: v > 0 gives trunc(v + 0.5), else trunc(v - 0.5).
inline int32_t RoundHalfAway(long double v) {
  return v > 0 ? TruncToInt(v + 0.5L) : TruncToInt(v - 0.5L);
}
