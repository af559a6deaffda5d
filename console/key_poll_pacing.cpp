// Pacing of empty key polls.
//
// Programs wait for a key by polling ReadKey in a loop, and ReadKey must keep
// answering at once: with the key when one is waiting, with the empty string
// when none is. Answered at once every time, such a loop keeps a core busy for
// as long as the player thinks. The runtime tells the two kinds of polling loop
// apart by what the program did since its previous empty poll:
//   - it drew, wrote, located or cleared something: an animation or a program
//     at work. The poll returns at once, so its frame rate is untouched.
//   - it did nothing the runtime can see, for a few empty polls in a row: it is
//     only waiting. The poll then sleeps until input may have arrived (the
//     window's key queue and the console's input handle signal it) or for at
//     most kPacedPollWaitMs, and looks once more, so a key that came during the
//     sleep is returned by that same poll.
// A key that is waiting is always returned without any wait; only empty polls
// are paced, and the next activity ends the pacing at once.
#include "console/key_poll_pacing.h"

namespace {
uint32_t g_activity = 0;       // changes whenever the program shows something
uint32_t g_activity_seen = 0;  // its value at the previous empty poll
int32_t g_quiet_polls = 0;
}  // namespace

void NoteProgramActivity() { ++g_activity; }

#ifdef TAVREL_UNPACED_KEY_POLLS
// The benchmarks' baseline: every empty poll answers at once, as before.
bool PaceEmptyPoll(InputWait) { return false; }
#else
bool PaceEmptyPoll(InputWait wait) {
  if (g_activity != g_activity_seen) {
    g_activity_seen = g_activity;
    g_quiet_polls = 0;
    return false;
  }
  if (!wait || ++g_quiet_polls < kQuietPollsBeforeWaiting) return false;
  wait(kPacedPollWaitMs);
  return true;
}
#endif

void ResetKeyPollPacing() {
  g_activity_seen = g_activity;
  g_quiet_polls = 0;
}
