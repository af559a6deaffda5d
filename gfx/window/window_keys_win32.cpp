// Turns a WM_KEYDOWN into the key code the program reads: the special keys by
// table, every other key by the keyboard layout (ToAscii), one character or none.
#include "gfx/input/keys_internal.h"
#include "gfx/window/window_keys_win32.h"

int32_t KeyCodeFromKeyDown(WPARAM virtual_key, LPARAM lparam) {
  int32_t special = SpecialKeyCode(static_cast<uint32_t>(virtual_key));
  if (special) return special;
  BYTE keyboard[256];
  if (!GetKeyboardState(keyboard)) return 0;
  UINT scan_code = static_cast<UINT>((lparam >> 16) & 0xFF);
  WORD chars[2] = {0, 0};
  int n = ToAscii(static_cast<UINT>(virtual_key), scan_code, keyboard, chars, 0);
  return n == 1 ? static_cast<int32_t>(chars[0] & 0xFF) : 0;
}
