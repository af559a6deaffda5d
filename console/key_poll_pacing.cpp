// Pacing of empty key polls.
//
// Programs wait for a key by polling ReadKey in a loop, and ReadKey must keep
// answering at once: with the key when one is waiting, with the empty string
// when none is. Answered at once every time, such a loop keeps a core busy for
// as long as the player thinks. Other programs poll ReadKey between steps of
// real work (a computation that the user may stop, an animation) and must not
// be slowed by a single microsecond.
//
// The runtime tells the two apart by the time the program spends outside the
// runtime between two empty polls, from the return of one to the call of the
// next. A loop that only waits spends well under a microsecond there (a
// comparison or two); a loop that does anything spends more. So:
//   - more than kWaitingGapUs outside the runtime, or anything drawn, written,
//     located or cleared since the previous empty poll: the program is at
//     work, and the poll returns at once.
//   - otherwise, for kQuietPollsBeforeWaiting empty polls in a row, it is only
//     waiting. Each further empty poll then sleeps until input may have
//     arrived (the window's key queue and the console's input handle signal
//     it) or for at most PacedPollWaitMs, and looks once more, so a key that
//     came during the sleep is returned by that same poll.
// The time spent inside the runtime (the key queue's lock, giving up the time
// slice, the sleep itself) does not count, so a busy machine that takes the
// processor away inside a poll does not make a waiting loop look busy. The
// first gap after a sleep may be slow all the same (cold caches, another
// process on the core): one slow gap there answers at once without ending the
// quiet spell, and only a second in a row counts as work.
//
// How long a paced poll sleeps: 10 ms while the quiet spell is young, then one
// twentieth of the spell so far, at most 100 ms. A key ends the sleep at once,
// whatever its length; the length matters only to a program that waits for a
// key or for a moment, reading the timer between polls (a time-out, a clock
// that changes once a second). Such a program sees the moment it waits for at
// most one sleep late: 10 ms in its first 200 ms of waiting, and never more
// than 5% of the time it has already waited, nor more than 100 ms. In return
// a long wait wakes 10 times a second instead of 100.
//
// A waiting key is always returned without any wait; only empty polls are
// paced, and the next activity ends the pacing at once.
//
// A browser's clock steps by 100 us or more (so that pages cannot time the
// processor's caches): a single gap reads as nothing or as a whole step,
// whatever the program did in it, and the rule above would take a program
// that works 10 us per step for a waiting one. With such a clock the rule
// counts polls instead, from one step of the clock to the next: a loop that
// comes back at least once per kWaitingGapUs on average only waits (hundreds
// of polls in a step), one that comes back less often works. A judged
// stretch of polls begins at a step and spans at least kCoarseStretchUs.
// The browser also moves each step's edge by a random amount, so that a step
// can last much less than it reads, and the system may take the thread away:
// as with the fine clock, one busy stretch in a quiet spell is forgiven, a
// second in a row ends it. After a sleep the program runs unpaced again until
// a whole stretch shows it still only waits, so a program that began to work
// while asleep is slowed by that one sleep at most; a waiting program spends
// one to two steps of the clock polling after each wake.
#include "console/key_poll_pacing.h"

namespace {
PollClock g_clock = KeyPollClockUs;
bool g_coarse_clock = KeyPollClockIsCoarse();
KeyPollPacer g_pacer;
uint32_t g_activity = 0;       // changes whenever the program shows something
uint32_t g_activity_seen = 0;  // its value at the previous empty poll
}  // namespace

void NoteProgramActivity() { ++g_activity; }

int32_t PacedPollWaitMs(int64_t quiet_us) {
  const int64_t ms = quiet_us / 20000;
  if (ms < kPacedPollWaitMs) return kPacedPollWaitMs;
  return ms > kLongestPacedPollWaitMs ? kLongestPacedPollWaitMs : static_cast<int32_t>(ms);
}

int32_t EmptyPollWaitMs(KeyPollPacer* pacer, int64_t entered_us, bool activity) {
  const bool after_wait = pacer->waited;
  pacer->waited = false;
  if (activity || !pacer->has_left) {
    pacer->quiet_polls = 0;
    return 0;
  }
  if (entered_us - pacer->left_us > kWaitingGapUs) {
    // Just after a sleep the thread runs from cold caches, or is preempted
    // on a busy machine: one slow gap then answers at once but keeps the
    // spell. A second one in a row is work.
    if (!after_wait) pacer->quiet_polls = 0;
    return 0;
  }
  if (pacer->quiet_polls == 0) pacer->quiet_since_us = entered_us;
  if (pacer->quiet_polls < kQuietPollsBeforeWaiting) {
    ++pacer->quiet_polls;
    return 0;
  }
  pacer->waited = true;
  return PacedPollWaitMs(entered_us - pacer->quiet_since_us);
}

namespace {

void EndStretch(KeyPollPacer* pacer, int64_t now_us, bool aligned) {
  pacer->stretch_start_us = now_us;
  pacer->stretch_polls = 0;
  pacer->stretch_aligned = aligned;
}

// Whether the stretch that just ended was a waiting loop's.
bool StretchWasQuiet(const KeyPollPacer& pacer, int64_t now_us) {
  return int64_t{pacer.stretch_polls} * kWaitingGapUs >= now_us - pacer.stretch_start_us;
}

}  // namespace

int32_t EmptyPollWaitMsCoarse(KeyPollPacer* pacer, int64_t entered_us, bool activity) {
  const bool stepped = entered_us != pacer->last_clock_us;
  pacer->last_clock_us = entered_us;
  if (activity || !pacer->has_left || pacer->waited) {
    if (activity || !pacer->has_left) pacer->quiet = false;
    pacer->waited = false;
    EndStretch(pacer, entered_us, false);
    return 0;
  }
  ++pacer->stretch_polls;
  if (!stepped) return 0;
  if (!pacer->stretch_aligned) {
    EndStretch(pacer, entered_us, true);
    return 0;
  }
  if (entered_us - pacer->stretch_start_us < kCoarseStretchUs) return 0;
  const bool quiet = StretchWasQuiet(*pacer, entered_us);
  EndStretch(pacer, entered_us, true);
  if (!quiet) {
    // One busy stretch in a quiet spell (the system took the thread away)
    // answers at once but keeps the spell; a second one in a row is work.
    pacer->quiet = pacer->quiet && !pacer->doubted;
    pacer->doubted = pacer->quiet;
    return 0;
  }
  pacer->doubted = false;
  if (!pacer->quiet) pacer->quiet_since_us = entered_us;
  pacer->quiet = true;
  pacer->waited = true;
  return PacedPollWaitMs(entered_us - pacer->quiet_since_us);
}

#ifdef TAVREL_UNPACED_KEY_POLLS
// The benchmarks' baseline: every empty poll answers at once, as before.
int64_t KeyPollEntered() { return 0; }
bool PaceEmptyPoll(int64_t, InputWait) { return false; }
void KeyPollLeft() {}
#else
int64_t KeyPollEntered() { return g_clock(); }

bool PaceEmptyPoll(int64_t entered_us, InputWait wait) {
  const bool activity = g_activity != g_activity_seen;
  g_activity_seen = g_activity;
  const int32_t ms = g_coarse_clock ? EmptyPollWaitMsCoarse(&g_pacer, entered_us, activity)
                                    : EmptyPollWaitMs(&g_pacer, entered_us, activity);
  if (ms == 0 || !wait) return false;
  wait(ms);
  return true;
}

void KeyPollLeft() {
  g_pacer.left_us = g_clock();
  g_pacer.has_left = true;
}
#endif

void ResetKeyPollPacing(PollClock clock) {
  g_clock = clock ? clock : KeyPollClockUs;
  g_coarse_clock = !clock && KeyPollClockIsCoarse();
  g_pacer = KeyPollPacer{};
  g_activity_seen = g_activity;
}
