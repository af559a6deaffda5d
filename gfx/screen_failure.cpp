// The reason the last screen could not be opened, and its words.
#include <atomic>

#include "gfx/window/screen_failure_note.h"

namespace {
std::atomic<ScreenFailure> g_reason{ScreenFailure::kNone};
}

ScreenFailure ScreenFailureReason() { return g_reason.load(); }

const char* ScreenFailureText(ScreenFailure reason) {
  switch (reason) {
    case ScreenFailure::kNone: return "no failure";
    case ScreenFailure::kNoDisplay: return "no X display (is DISPLAY set?)";
    case ScreenFailure::kDisplayRefused: return "the X display refused the connection";
    case ScreenFailure::kUnsupportedScreen: return "no display driver can show this kind of screen";
    case ScreenFailure::kWindowFailed: return "the display refused to open the window";
    case ScreenFailure::kNoMemory: return "not enough memory for the screen";
  }
  return "unknown";
}

void ResetScreenFailure() { g_reason.store(ScreenFailure::kNone); }

void NoteScreenFailure(ScreenFailure reason) {
  ScreenFailure none = ScreenFailure::kNone;
  g_reason.compare_exchange_strong(none, reason);
}

void SetScreenFailure(ScreenFailure reason) { g_reason.store(reason); }
