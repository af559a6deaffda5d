// Pacing of empty key polls: how a program that only waits for a key, polling
// ReadKey in a tight loop, comes to sleep in the runtime while one that works
// or draws between its polls is never slowed.
#pragma once
#include <cstdint>

// Waits at most ms milliseconds for input to arrive; true when it may have.
using InputWait = bool (*)(int32_t ms);
// A steady clock in microseconds.
using PollClock = int64_t (*)();

// Called by the operations through which a program changes what it shows
// (drawing under the screen lock, console writes, colours, locate, clear).
void NoteProgramActivity();

// A key read brackets itself with these: KeyPollEntered first of all (the
// time it was called, 0 in the unpaced build), PaceEmptyPoll when it found no
// key (true when it waited: the caller then looks for a key once more), and
// KeyPollLeft just before it returns the empty string. Program thread only.
int64_t KeyPollEntered();
bool PaceEmptyPoll(int64_t entered_us, InputWait wait);
void KeyPollLeft();

// The rule itself, free of clocks and waits. A polling loop counts as waiting
// when the program spent at most kWaitingGapUs outside the runtime between
// two empty polls and showed nothing meanwhile; after kQuietPollsBeforeWaiting
// such polls in a row each one waits PacedPollWaitMs of the quiet spell so far.
constexpr int64_t kWaitingGapUs = 3;
constexpr int32_t kQuietPollsBeforeWaiting = 3;
constexpr int32_t kPacedPollWaitMs = 10;
constexpr int32_t kLongestPacedPollWaitMs = 100;
// One twentieth of the quiet spell, between kPacedPollWaitMs and
// kLongestPacedPollWaitMs (quiet_us: microseconds since the spell began).
int32_t PacedPollWaitMs(int64_t quiet_us);

struct KeyPollPacer {
  bool has_left = false;    // an empty poll has returned since the last reset
  int64_t left_us = 0;      // when it returned
  int64_t quiet_since_us = 0;
  int32_t quiet_polls = 0;  // waiting polls in a row
  bool waited = false;      // the previous empty poll slept
  // The coarse clock's rule: the stretch of polls since the clock last
  // stepped (aligned: it began at a step, so it spans whole steps).
  int64_t last_clock_us = 0;
  int64_t stretch_start_us = 0;
  int32_t stretch_polls = 0;
  bool stretch_aligned = false;
  bool quiet = false;       // the stretches so far were a waiting loop's
  bool doubted = false;     // ... but for the last one
};
// The wait of an empty poll entered at entered_us, in milliseconds (0: answer
// at once); activity: the program showed something since its previous empty
// poll. The caller sets left_us and has_left when the poll returns.
int32_t EmptyPollWaitMs(KeyPollPacer* pacer, int64_t entered_us, bool activity);

// The same decision where the clock steps by 100 us or more (a browser's):
// see key_poll_pacing.cpp. entered_us is read from that clock; each judgement
// spans at least kCoarseStretchUs of it.
constexpr int64_t kCoarseStretchUs = 100;
int32_t EmptyPollWaitMsCoarse(KeyPollPacer* pacer, int64_t entered_us, bool activity);

// Starts the pacing afresh, reading time from clock (null: the platform's
// steady clock). Tests.
void ResetKeyPollPacing(PollClock clock = nullptr);

// The platform's steady clock, microseconds (key_poll_pacing_*.cpp), and
// whether it steps too coarsely to time a single gap between polls.
int64_t KeyPollClockUs();
bool KeyPollClockIsCoarse();
