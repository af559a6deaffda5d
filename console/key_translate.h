// Key codes as the C run-time's _getch delivers them on Windows, made from one
// console key event: an ordinary key gives its character byte, an extended key
// a prefix (0 or 224) and a second code. Kept free of Win32 so that it builds
// and is tested everywhere.
#pragma once
#include <cstdint>

// Control key state bits, with the console's own values.
constexpr uint32_t kKeyRightAlt = 0x0001;
constexpr uint32_t kKeyLeftAlt = 0x0002;
constexpr uint32_t kKeyRightCtrl = 0x0004;
constexpr uint32_t kKeyLeftCtrl = 0x0008;
constexpr uint32_t kKeyShift = 0x0010;
constexpr uint32_t kKeyEnhanced = 0x0100;

// One console input record, reduced to what the translation needs.
struct ConsoleKeyRecord {
  bool is_key;             // false: a mouse, focus, menu or size event
  bool key_down;
  uint16_t virtual_key;
  uint16_t scan_code;
  uint8_t char_code;       // the character in the console's input code page, 0 for none
  uint32_t control_state;
};

struct KeyCodes {
  int count;         // 0: the record gives no key; 1: a character; 2: prefix and code
  uint8_t bytes[2];
};

KeyCodes TranslateKeyRecord(const ConsoleKeyRecord& record);
