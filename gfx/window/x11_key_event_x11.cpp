// X key events as the screen's keys: scan codes for the key-state bytes, key
// codes for the queue (the special keys through their virtual keys, the
// character keys as code page 866 bytes), and the Alt+Enter switch.
#include "gfx/window/x11_key_event.h"

#include <X11/Xutil.h>

#include "gfx/input/keys_internal.h"
#include "gfx/screen.h"
#include "gfx/window/x11_char_keys.h"
#include "gfx/window/x11_layout.h"

namespace {

// The PC scan code of a key: the special keys by their virtual key's row,
// the rest from the evdev key code, which is the scan code plus 8.
int32_t ScanCode(uint32_t virtual_key, unsigned keycode) {
  if (virtual_key) {
    for (const KeyStateRow* row = kKeyStateTable; row->scan_code; ++row) {
      if (row->primary_vk == virtual_key || row->secondary_vk == virtual_key) return row->scan_code;
    }
  }
  return keycode >= 8 && keycode < 8 + 0x59 ? static_cast<int32_t>(keycode - 8) : 0;
}

}  // namespace

X11Key X11TranslateKey(XKeyEvent* event, bool down) {
  char text[8] = {};
  KeySym keysym = 0;
  const int n = XLookupString(event, text, sizeof text, &keysym, nullptr);
  const uint32_t vk = X11SpecialVirtualKey(static_cast<uint32_t>(keysym));
  X11Key key{ScanCode(vk, event->keycode), 0, false};
  if (!down) return key;
  if ((event->state & Mod1Mask) && (keysym == XK_Return || keysym == XK_KP_Enter)) {
    key.alt_enter = true;
    return key;
  }
  key.key_code = vk ? SpecialKeyCode(vk) : X11CharacterCode(static_cast<uint32_t>(keysym), text, n);
  return key;
}

void X11SetKeyState(int32_t scan_code, bool down) {
  if (g_screen && g_screen->key_state && scan_code > 0 && scan_code < 128)
    g_screen->key_state[scan_code] = down ? 0xFF : 0;
}

void X11ApplyButton(unsigned button, bool down, int32_t* buttons, int32_t* wheel) {
  static constexpr int32_t kBits[] = {0, 1, 4, 2};  // left, middle, right
  if (button >= 1 && button <= 3) {
    if (down) *buttons |= kBits[button];
    else *buttons &= ~kBits[button];
  } else if (down && (button == 4 || button == 5)) {
    *wheel += button == 4 ? 1 : -1;
  }
}
