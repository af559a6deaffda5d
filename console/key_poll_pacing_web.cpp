// The key-poll pacing's clock in a browser: performance.now(), which pages
// get in steps of 100 us or more, so the pacing counts polls per step.
#include <emscripten/emscripten.h>

#include "console/key_poll_pacing.h"

int64_t KeyPollClockUs() { return static_cast<int64_t>(emscripten_get_now() * 1000.0); }

bool KeyPollClockIsCoarse() { return true; }
