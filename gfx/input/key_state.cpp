// key_state from the Win32 keyboard state, for the drivers that read the keyboard
// through GetKeyboardState: a scan code is down while either of its virtual keys is.
#include "gfx/input/keys.h"

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
