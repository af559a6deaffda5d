// Text to number the way the C library's atoi, _atoi64 and atof read it, with
// the same results on every build: leading white space, an optional sign, then
// as many characters as can continue a decimal number; no number gives 0.
// Integers out of range give the nearest limit.
#pragma once
#include <cstdint>

int32_t ParseInt32(const char* text);
int64_t ParseInt64(const char* text);
double ParseDouble(const char* text);
