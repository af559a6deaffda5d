// What an X key event means to the screen, for both X drivers: the PC scan
// code whose key-state byte it changes, the key code it queues, and whether it
// is Alt+Enter, the fullscreen switch.
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
