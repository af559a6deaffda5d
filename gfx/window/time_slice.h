// Giving up the rest of the calling thread's time slice, and the signals that
// end the waits of the program's thread and of an idle update thread.
#pragma once
#include <cstdint>

// A program thread that polls for keys without pause (the game's key waits)
// would otherwise re-take the display lock the moment it lets it go and keep a
// core busy, and the update thread falls behind. The key queue's take calls
// this when it finds the queue empty; it never blocks.
void YieldTimeSlice();

// The signal a paced empty key poll sleeps on (see console/key_poll_pacing.cpp):
// the key queue's put raises it, the wait takes it or gives up after ms.
void SignalKeyQueued();
bool WaitForKeyQueued(int32_t ms);

// The wake-up of an idle update thread. An update thread whose pass found
// nothing to do may sleep much longer than its period; the program's thread
// ends that sleep when it changes what the screen shows.
//
// NoteScreenChanged: program's thread, after every operation that changed the
// screen under the display lock (the screen-lock convention's unlock). It
// costs one atomic add, and raises the platform's wake signal only while an
// update thread is in its idle wait.
void NoteScreenChanged();
// Update thread, during its pass (under the display lock): the number of
// changes noted so far.
uint32_t ScreenChanges();
// Update thread, before its idle wait: false when a change was noted since
// seen (the count of its last pass); then it must not wait. True: the wait
// may begin, and ends at the latest when the platform's wake signal is raised;
// EndIdleWait must follow it.
bool BeginIdleWait(uint32_t seen);
void EndIdleWait();

// The platform's wake signal (time_slice_posix.cpp, time_slice_win32.cpp):
// IdleWakeHandle is a file descriptor that turns readable (native) or an
// auto-reset event (Windows), made on first use; -1 or null when it cannot be.
void RaiseIdleWake();
void ClearIdleWake();
intptr_t IdleWakeHandle();
