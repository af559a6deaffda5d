// Pacing of empty key polls: how a program that polls ReadKey in a tight loop
// comes to sleep in the runtime while one that draws between polls never waits.
#pragma once
#include <cstdint>

// Waits at most ms milliseconds for input to arrive; true when it may have.
using InputWait = bool (*)(int32_t ms);

// Called by the operations through which a program changes what it shows
// (drawing under the screen lock, console writes, colours, locate, clear).
void NoteProgramActivity();

// Called by a key read that found no key. Returns true when it waited (the
// caller then looks for a key once more), false when it returned at once.
bool PaceEmptyPoll(InputWait wait);

// How long one paced poll waits at most, and how many quiet polls come first.
constexpr int32_t kPacedPollWaitMs = 10;
constexpr int32_t kQuietPollsBeforeWaiting = 3;

// Starts the pacing afresh (tests).
void ResetKeyPollPacing();
