// Platform-neutral choices of the browser's window layer: the keys of the
// page's keyboard events as the screen's keys, and the size of the canvas on
// the page.
#pragma once
#include <cstdint>

// A keyboard event as the screen sees it: the PC scan code whose key-state
// byte it changes (0: none), the key queue's code of a press (0: none), or
// the Alt+Enter switch.
struct WebKey {
  int32_t scan_code;
  int32_t key_code;
  bool alt_enter;
};

// virtual_key: the event's keyCode (the Win32 virtual key, as browsers give
// it); character: the Unicode character the key types (0: a named key such as
// Enter or an arrow); modifiers: kWebShift, kWebControl and kWebAlt. Special
// keys give their codes (257 Up ... 276 F10), Enter, Escape, Backspace and Tab
// their control characters, Ctrl with a letter its control character, and a
// character its code page 866 byte (none when the code page lacks it).
WebKey WebTranslateKey(uint32_t virtual_key, uint32_t character, int32_t modifiers, bool down);

// The canvas on the page: each framebuffer pixel a square of factor x factor
// device pixels, factor the largest whole number at which the picture fits
// the page (at least 1), and the canvas's size in CSS pixels for it.
struct WebPlacement {
  int32_t factor;
  double css_width;
  double css_height;
};
// page_w, page_h: the room on the page in CSS pixels; pixel_ratio: device
// pixels per CSS pixel (taken as 1 when not above 0); width, height: the
// framebuffer's size.
WebPlacement WebPlaceCanvas(double page_w, double page_h, double pixel_ratio, int32_t width,
                            int32_t height);
