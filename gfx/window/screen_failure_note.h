// The drivers' side of the failure reason (gfx/screen_failure.h): a driver that
// cannot start says why, and the driver search keeps the first reason given.
// Internal to the library.
#pragma once
#include "gfx/screen_failure.h"

// Forgets the reason of an earlier search (kNone).
void ResetScreenFailure();
// Records why a driver could not start, unless a reason was already recorded
// since the last reset: the first driver to give one knows most.
void NoteScreenFailure(ScreenFailure reason);
// Records the reason whatever was recorded before (the mode switch's own
// failures, which end the search).
void SetScreenFailure(ScreenFailure reason);
