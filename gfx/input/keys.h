// The window's keyboard and mouse as the program sees them: the 16-slot key
// queue, the hook implementations, and the tables that translate Win32 keys.
#pragma once
#include <cstdint>

#include "console/rt_string.h"

// Codes 1 to 255 are characters; 256 to 276 the special keys below.
constexpr int32_t kKeyClose = 256;
constexpr int32_t kKeySpecialFirst = 256;
constexpr int32_t kKeySpecialLast = 276;

// Drops the oldest code when full; 0 (no key) is never queued.
void KeyQueuePut(int32_t code);
// The oldest code, or 0; takes the display lock by the screen-lock convention.
int32_t KeyQueueTake();
// Whether a code is waiting; takes the display lock like KeyQueueTake.
bool KeyQueueHasCode();

RtString* GfxReadKey();
int32_t GfxWaitKey();
int32_t GfxKeyWaiting();
int32_t GfxKeyIsDown(int32_t scan_code);
// Whether the program has asked for a key's state yet. A driver whose key
// state costs the program something while it is tracked (DirectInput's
// keyboard) tracks it only from then on.
bool KeyStateAsked();
int32_t GfxReadMouse(int32_t* x, int32_t* y, int32_t* wheel, int32_t* buttons);
int32_t GfxSetMouse(int32_t x, int32_t y, int32_t cursor);

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
