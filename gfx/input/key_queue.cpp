// The window's 16-slot key queue. The window procedure fills it on the update
// thread (already under the display lock); the program empties it under the
// screen-lock convention. It outlives screens: unread codes carry over.
#include "gfx/input/keys_internal.h"
#include "gfx/screen.h"
#include "gfx/window/time_slice.h"

namespace {
constexpr int kQueueSlots = 16;
int32_t g_keys[kQueueSlots];
int g_key_head = 0;  // next slot to read
int g_key_tail = 0;  // next slot to write
}  // namespace

void KeyQueuePut(int32_t code) {
  if (code == 0) return;  // 0 stands for "no key" wherever a code is returned
  g_keys[g_key_tail] = code;
  g_key_tail = (g_key_tail + 1) % kQueueSlots;
  if (g_key_tail == g_key_head) g_key_head = (g_key_head + 1) % kQueueSlots;
  SignalKeyQueued();
}

int32_t KeyQueueTake() {
  const bool took = ScreenLock();
  int32_t code = 0;
  if (g_key_head != g_key_tail) {
    code = g_keys[g_key_head];
    g_key_head = (g_key_head + 1) % kQueueSlots;
  }
  ScreenUnlockAfterRead(took);
  // A program polling for keys would otherwise take the lock straight back and
  // starve the update thread.
  if (code == 0) YieldTimeSlice();
  return code;
}

bool KeyQueueHasCode() {
  const bool took = ScreenLock();
  const bool waiting = g_key_head != g_key_tail;
  ScreenUnlockAfterRead(took);
  return waiting;
}
