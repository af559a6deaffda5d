/// \file
/// Time, chance and small helpers: the clock, random numbers, pauses, the
/// executable's name and the byte at one position of a string. Call these from
/// the program's thread only.
#pragma once
#include <cstdint>

#include "console/rt_string.h"

/// The clock.
/// \return seconds since an origin fixed for the run (the system's start), from
///   the performance counter, or in millisecond steps where there is none.
double TimerSeconds();

/// A pseudo-random number.
/// \param n 0 returns the previous number again (0.0 before the first draw);
///   any other value, negative ones included, draws a new one.
/// \return a multiple of 1/32768 in [0, 1): never 1.0.
double RandomNumber(int32_t n);

/// Seeds the random numbers. Equal whole parts give equal sequences (7.99 and
/// 7.0 give the same one); one value is drawn and discarded after seeding.
/// \param seed the seed, truncated toward zero to a 32-bit integer; -1.0 (or
///   not a number) takes the clock's value instead, and is the value to pass
///   for "no seed given".
void RandomSeed(double seed);

/// Pauses the program. Looks for keys through KeyWaiting and WaitKey, so it works
/// the same on the text console and in a graphics window.
/// \param ms the pause in milliseconds: 100 and above return early when a key is
///   waiting (it stays waiting; keys are looked at every 50 ms); 1 to 99 sleep
///   without looking at keys; -1 first discards the keys already waiting, then
///   waits until a key is pressed (that key stays waiting); 0 and other negative
///   values return at once.
void SleepMs(int32_t ms);

/// The running executable's file name.
/// \param buffer receives the executable's full path, NUL-terminated (cut to
///   fit); null returns null.
/// \param size the buffer's size in bytes.
/// \return a pointer into buffer at the file-name part (after the last \\ or /),
///   or buffer itself when the path has no separator.
char* ExeFileName(char* buffer, int32_t size);

/// The byte at one position of a string, for reading a KeyString: the first
/// byte of an extended key is 255.
/// \param s the string, or null. A temporary is consumed (released afterwards),
///   so `CharCodeAt(ReadKey(), 1)` leaks nothing.
/// \param pos the 1-based position.
/// \return the byte, 0 to 255; 0 when s is null or empty or pos lies outside 1
///   to its length.
int32_t CharCodeAt(RtString* s, int32_t pos);
