// Time, chance and small helpers: the clock, the random generator, pauses, the
// executable's name and the byte at one position of a string.
#pragma once
#include <cstdint>

#include "console/rt_string.h"

double TimerSeconds();
// The next number in [0, 1) in steps of 1/32768, or the previous one when n is 0.
double RandomNumber(int32_t n);
// -1.0 (or not a number) seeds from the clock.
void RandomSeed(double seed);
// -1 waits for a key; 100 and above return early when a key is waiting.
void SleepMs(int32_t ms);
// Fills buffer with the executable's full path; returns the part after the last
// backslash.
char* ExeFileName(char* buffer, int32_t size);
// The byte at 1-based position pos, 0 outside the string; releases a temporary s.
int32_t CharCodeAt(RtString* s, int32_t pos);
