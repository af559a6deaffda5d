// Giving up the rest of the calling thread's time slice.
//
// A program thread that polls for keys without pause (the game's key waits) would
// otherwise re-take the display lock the moment it lets it go and keep a core
// busy, and the update thread, woken every 10 ms, falls behind. The key queue's
// take calls this when it finds the queue empty; it never blocks.
#pragma once
#include <cstdint>

void YieldTimeSlice();

// The signal a paced empty key poll sleeps on (see console/key_poll_pacing.cpp):
// the key queue's put raises it, the wait takes it or gives up after ms.
void SignalKeyQueued();
bool WaitForKeyQueued(int32_t ms);
