// The key operations of the console hook table while a graphics screen is open:
// codes come out of the window's key queue, extended keys as 255 and a scan code.
#include <atomic>

#include "console/key_poll_pacing.h"
#include "console/services.h"
#include "gfx/input/keys_internal.h"
#include "gfx/screen.h"
#include "gfx/window/time_slice.h"

namespace {
std::atomic<bool> g_key_state_asked{false};
// Gives the update thread time to pump new key messages between looks.
constexpr int32_t kWaitKeyPauseMs = 20;
}  // namespace

RtString* GfxReadKey() {
  if (!g_screen) return RtSharedEmpty();
  const int64_t entered = KeyPollEntered();
  int32_t code = KeyQueueTake();
  if (code == 0 && PaceEmptyPoll(entered, WaitForKeyQueued)) code = KeyQueueTake();
  if (code == 0) {
    KeyPollLeft();
    return RtSharedEmpty();
  }
  if (code < kKeySpecialFirst) {
    const uint8_t byte = static_cast<uint8_t>(code);
    return RtTempFromBytes(&byte, 1);
  }
  const uint8_t bytes[2] = {255, SpecialKeyScanByte(code)};
  return RtTempFromBytes(bytes, 2);
}

int32_t GfxWaitKey() {
  if (!g_screen) return 0;
  int32_t code;
  do {
    code = KeyQueueTake();
    SleepMs(kWaitKeyPauseMs);
  } while (code == 0);
  return code;
}

int32_t GfxKeyWaiting() { return KeyQueueHasCode() ? 1 : 0; }

bool KeyStateAsked() { return g_key_state_asked.load(std::memory_order_relaxed); }

int32_t GfxKeyIsDown(int32_t scan_code) {
  g_key_state_asked.store(true, std::memory_order_relaxed);
  if (!g_screen || scan_code < 0 || scan_code > 127) return 0;
  const bool took = ScreenLock();
  const int32_t down = static_cast<int8_t>(g_screen->key_state[scan_code]);
  ScreenUnlockAfterRead(took);
  return down;
}
