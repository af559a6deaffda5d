// The window's key queue, the hook implementations of the key slots, and the
// tables that translate Win32 keys: for the drivers and the runtime itself.
#pragma once
#include <cstdint>

#include "console/rt_string.h"
#include "gfx/input/keys.h"

// Drops the oldest code when full; 0 (no key) is never queued.
void KeyQueuePut(int32_t code);
// The oldest code, or 0; takes the display lock by the screen-lock convention.
int32_t KeyQueueTake();
// Whether a code is waiting; takes the display lock like KeyQueueTake.
bool KeyQueueHasCode();

RtString* GfxReadKey();
int32_t GfxWaitKey();
int32_t GfxKeyWaiting();
// Whether the program has asked for a key's state yet. A driver whose key
// state costs the program something while it is tracked (DirectInput's
// keyboard) tracks it only from then on.
bool KeyStateAsked();

// Special key code for a WM_KEYDOWN virtual key, or 0 when the key is not special.
int32_t SpecialKeyCode(uint32_t virtual_key);
// Second byte of the key string of a code of 256 or more (index limited to 20).
uint8_t SpecialKeyScanByte(int32_t code);

struct KeyStateRow {
  uint8_t scan_code;
  uint8_t primary_vk;
  uint8_t secondary_vk;  // 0: none
};
// 86 rows ended by a row whose scan code is 0.
extern const KeyStateRow kKeyStateTable[];

// Derives key_state from a 256-byte Win32 keyboard state (bit 7 = down).
void RefreshKeyStateFromKeyboard(const uint8_t keyboard[256], uint8_t key_state[128]);
// Derives key_state from a 256-byte DirectInput keyboard state, indexed by scan
// code (bit 7 = down).
void RefreshKeyStateFromDevice(const uint8_t device[256], uint8_t key_state[128]);
