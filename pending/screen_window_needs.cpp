// Temporary stand-ins for the screen area's functions that the window layer
// calls, until that area lands.
#include <cstring>

#include "gfx/input/keys.h"
#include "gfx/screen.h"
#include "gfx/window/time_slice.h"

ScreenContext* g_screen = nullptr;

namespace {
int32_t g_queue[16];
int g_head = 0, g_tail = 0;
}  // namespace

void KeyQueuePut(int32_t code) {
  g_queue[g_tail] = code;
  g_tail = (g_tail + 1) % 16;
  if (g_tail == g_head) g_head = (g_head + 1) % 16;
}

int32_t KeyQueueTake() {
  bool took = ScreenLock();
  int32_t code = 0;
  if (g_head != g_tail) {
    code = g_queue[g_head];
    g_head = (g_head + 1) % 16;
  }
  ScreenUnlock(took);
  if (!code) YieldTimeSlice();
  return code;
}

bool ScreenLock() {
  if (!g_screen || (g_screen->state_flags & kStateScreenLocked)) return false;
  g_screen->driver->lock();
  g_screen->state_flags |= kStateScreenLocked;
  return true;
}

void ScreenUnlock(bool took) {
  if (!took) return;
  g_screen->state_flags &= ~kStateScreenLocked;
  g_screen->driver->unlock();
}

int32_t SpecialKeyCode(uint32_t vk) {
  static const uint8_t kVk[] = {0x26, 0x28, 0x25, 0x27, 0x2D, 0x2E, 0x24, 0x23, 0x21, 0x22};
  for (int i = 0; i < 10; ++i) if (vk == kVk[i]) return 257 + i;
  if (vk >= 0x70 && vk <= 0x79) return static_cast<int32_t>(vk) + 155;
  return 0;
}

void RefreshKeyStateFromKeyboard(const uint8_t*, uint8_t*) {}
void PaletteResend() {}
