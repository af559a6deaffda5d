// What X key and button events mean to the screen, for both X drivers: the PC
// scan code whose key-state byte a key changes, the key code it queues, whether
// it is Alt+Enter, the fullscreen switch; the mouse's button bits and wheel.
#pragma once
#include <X11/Xlib.h>

#include <cstdint>

struct X11Key {
  int32_t scan_code;  // 1 to 127, or 0 when no key-state byte follows the key
  int32_t key_code;   // the key queue's code of a press; 0 for a release or none
  bool alt_enter;     // a press of Alt+Enter: no key code, the switch instead
};

// Reads the event's key symbol and text with XLookupString.
X11Key X11TranslateKey(XKeyEvent* event, bool down);

// Sets the open screen's key-state byte of a scan code (1 to 127) to 0xFF while
// the key is down, 0 when up; nothing without a screen.
void X11SetKeyState(int32_t scan_code, bool down);

// Folds a button event into the mouse's button bits (1 left, 2 right, 4
// middle) and wheel steps (+1 away from the user per press of button 4, -1
// per press of button 5).
void X11ApplyButton(unsigned button, bool down, int32_t* buttons, int32_t* wheel);
