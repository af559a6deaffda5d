// Platform-neutral arithmetic of the window layer: the class name, centring, the
// span of changed rows and the mouse clamps.
#pragma once
#include <cstdint>

constexpr int kClassNameSize = 140;

// "kvgfxclass_" followed by the title, cut to fit the 140-byte buffer.
void BuildClassName(const char* title, char out[kClassNameSize]);

// Top-left corner that centres an outer size on a screen; halves round down.
void CentredOrigin(int32_t screen_w, int32_t screen_h, int32_t outer_w, int32_t outer_h,
                   int32_t* x, int32_t* y);

// First and last set flag among count dirty bytes; false when none is set.
bool FindDirtySpan(const uint8_t* dirty, int32_t count, int32_t* first, int32_t* last);

int32_t ClampInt(int32_t value, int32_t low, int32_t high);

// Fullscreen, the row of a picture `height` rows tall that starts `top` rows
// down the display, under the pointer at display row display_y; limited to
// the picture's rows.
int32_t PictureRowAt(int32_t display_y, int32_t top, int32_t height);

// Milliseconds of one retrace at a refresh rate in Hz (16 when the rate is
// unknown). Windows reports 0 and 1 alike for "the hardware's default rate"
// (Wine on a plain X display says 1), and no real display refreshes slower
// than film-rate television modes, which Windows lists as 23 Hz (23.976): any
// rate below that is taken as unknown rather than as a retrace of up to 1 s.
constexpr int32_t kSlowestRealRefreshRate = 23;
int32_t RetraceMilliseconds(int32_t refresh_rate);

// A retrace wait on a display that cannot be asked when its retraces come:
// they are taken to come every period_ms from the first wait on, and a wait
// lasts until the next one, so that the program's own work between two waits
// is part of a frame rather than added to it, as with a real wait for the
// vertical blank (a program whose frame takes longer than a period waits for
// the retrace after). Given the time now and the retrace the last wait ended
// at (0 before the first wait), moves *retrace_us to the next retrace after
// now and returns the milliseconds until it, rounded up.
int32_t RetraceWaitMs(int64_t now_us, int32_t period_ms, int64_t* retrace_us);

// The wheel counter's step for a WM_MOUSEWHEEL wParam read as a signed number.
int32_t WheelStep(int64_t wparam);

// Update passes are due every 10 ms. Given the time now and when the pass just
// made was due, moves the due time one period on and returns the pause until
// then, in milliseconds (at least 1): the pass's own work and a late wake-up are
// taken out of the pause so that a busy machine, or a program thread polling for
// keys without pause, does not stretch every period. A thread more than a
// period behind starts afresh instead of catching up in a burst.
constexpr int64_t kPassPeriodUs = 10000;
int32_t PassPauseMs(int64_t now_us, int64_t* due_us);

// After a pass whose message pump queued a key, the program's answer (a redrawn
// king, say) is usually drawn within microseconds; early passes show it then
// instead of up to a whole period later. A program thread that wakes late, as
// on a loaded machine, would miss a single early pass, so they come every
// kFollowUpPassUs until the answer has shown and a pass finds nothing more to
// show, and at most kMaxFollowUpPasses of them; the regular period resumes
// after the last.
constexpr int64_t kFollowUpPassUs = 2000;
constexpr int32_t kMaxFollowUpPasses = 4;
struct FollowUps {
  int32_t left = 0;
  bool answer_shown = false;
};
// The pause after a pass, in milliseconds: key_queued if the pass's pump queued
// a key, showed if it put changed rows on screen.
int32_t NextPassPauseMs(int64_t now_us, bool key_queued, bool showed, int64_t* due_us,
                        FollowUps* follow_ups);

// A pass that showed no changed row, handled no message or event and left no
// early pass due found nothing to do. After the regular pause that follows
// it, and only if the program changed nothing and no message or event came
// meanwhile, the update thread sleeps up to kIdlePassPauseMs more, woken at
// once by the program's next change and by any message or event. Under
// continuous drawing every pass shows something, so passes keep their period;
// the early passes after a key are due, so they keep theirs. The time-out is
// only a safety net for state that changes without telling the thread.
constexpr int32_t kIdlePassPauseMs = 250;
bool PassFoundNothing(bool showed, bool handled_input, const FollowUps& follow_ups);
