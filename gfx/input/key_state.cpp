// key_state from the keyboard as the drivers read it: the Win32 keyboard state (a
// scan code is down while either of its virtual keys is) or DirectInput's device state.
#include "gfx/input/keys_internal.h"

namespace {
bool IsDown(const uint8_t keyboard[256], uint8_t virtual_key) { return (keyboard[virtual_key] & 0x80) != 0; }
}  // namespace

void RefreshKeyStateFromKeyboard(const uint8_t keyboard[256], uint8_t key_state[128]) {
  for (const KeyStateRow* row = kKeyStateTable; row->scan_code != 0; ++row) {
    bool down = IsDown(keyboard, row->primary_vk);
    if (row->secondary_vk != 0) down = down || IsDown(keyboard, row->secondary_vk);
    key_state[row->scan_code] = down ? 0xFF : 0;
  }
}

// DirectInput reports an extended key (right Control, the arrows of the middle
// block) at its scan code + 128: it counts as its main-block twin.
void RefreshKeyStateFromDevice(const uint8_t device[256], uint8_t key_state[128]) {
  for (int i = 0; i < 128; ++i) {
    key_state[i] = ((device[i] | device[i + 128]) & 0x80) ? 0xFF : 0;
  }
}
