// The translation of console key events into _getch codes. Characters win, as
// in the C run-time, except that a key held with Alt alone gives its Alt code
// (Alt+A is 0, 30) whenever it has one; AltGr (Ctrl+Alt) characters stay
// characters. Keys with neither a character nor a code (Shift, Ctrl, Alt, the
// lock keys, the Windows keys) and every key-up give nothing.
#include "console/key_translate.h"

namespace {

struct KeyRow {
  uint8_t scan;
  uint8_t normal[2], shift[2], ctrl[2], alt[2];  // {prefix, code}; {0, 0}: none
};

// The grey cursor block (enhanced keys).
constexpr KeyRow kEnhancedKeys[] = {
    {71, {224, 71}, {224, 71}, {224, 119}, {0, 151}},   // Home
    {72, {224, 72}, {224, 72}, {224, 141}, {0, 152}},   // Up
    {73, {224, 73}, {224, 73}, {224, 134}, {0, 153}},   // Page Up
    {75, {224, 75}, {224, 75}, {224, 115}, {0, 155}},   // Left
    {77, {224, 77}, {224, 77}, {224, 116}, {0, 157}},   // Right
    {79, {224, 79}, {224, 79}, {224, 117}, {0, 159}},   // End
    {80, {224, 80}, {224, 80}, {224, 145}, {0, 160}},   // Down
    {81, {224, 81}, {224, 81}, {224, 118}, {0, 161}},   // Page Down
    {82, {224, 82}, {224, 82}, {224, 146}, {0, 162}},   // Insert
    {83, {224, 83}, {224, 83}, {224, 147}, {0, 163}},   // Delete
    {28, {0, 0}, {0, 0}, {0, 0}, {0, 166}},             // keypad Enter
    {53, {0, 0}, {0, 0}, {0, 149}, {0, 164}},           // keypad /
};

// Keys of the main block and the keypad with Num Lock off.
constexpr KeyRow kNormalKeys[] = {
    {1, {0, 0}, {0, 0}, {0, 0}, {0, 1}},                // Escape
    {3, {0, 0}, {0, 0}, {0, 3}, {0, 121}},              // 2 (Ctrl+2 is NUL)
    {14, {0, 0}, {0, 0}, {0, 0}, {0, 14}},              // Backspace
    {15, {0, 0}, {0, 15}, {0, 148}, {0, 165}},          // Tab
    {28, {0, 0}, {0, 0}, {0, 0}, {0, 28}},              // Enter
    {55, {0, 0}, {0, 0}, {0, 150}, {0, 55}},            // keypad *
    {71, {0, 71}, {0, 0}, {0, 119}, {0, 0}},            // keypad Home
    {72, {0, 72}, {0, 0}, {0, 141}, {0, 0}},            // keypad Up
    {73, {0, 73}, {0, 0}, {0, 132}, {0, 0}},            // keypad Page Up
    {74, {0, 0}, {0, 0}, {0, 142}, {0, 74}},            // keypad -
    {75, {0, 75}, {0, 0}, {0, 115}, {0, 0}},            // keypad Left
    {76, {0, 0}, {0, 0}, {0, 143}, {0, 0}},             // keypad 5
    {77, {0, 77}, {0, 0}, {0, 116}, {0, 0}},            // keypad Right
    {78, {0, 0}, {0, 0}, {0, 144}, {0, 78}},            // keypad +
    {79, {0, 79}, {0, 0}, {0, 117}, {0, 0}},            // keypad End
    {80, {0, 80}, {0, 0}, {0, 145}, {0, 0}},            // keypad Down
    {81, {0, 81}, {0, 0}, {0, 118}, {0, 0}},            // keypad Page Down
    {82, {0, 82}, {0, 0}, {0, 146}, {0, 0}},            // keypad Insert
    {83, {0, 83}, {0, 0}, {0, 147}, {0, 0}},            // keypad Delete
    {87, {224, 133}, {224, 135}, {224, 137}, {224, 139}},  // F11
    {88, {224, 134}, {224, 136}, {224, 138}, {224, 140}},  // F12
};

// Codes that follow a rule rather than a table row.
bool RuleCode(uint16_t scan, bool alt, bool ctrl, bool shift, uint8_t out[2]) {
  out[0] = 0;
  if (scan >= 59 && scan <= 68) {  // F1 to F10
    uint8_t base = alt ? 104 : ctrl ? 94 : shift ? 84 : 59;
    out[1] = static_cast<uint8_t>(base + scan - 59);
    return true;
  }
  if (!alt) return false;
  bool letter_row = (scan >= 16 && scan <= 27) || (scan >= 30 && scan <= 41) ||
                    scan == 43 || (scan >= 44 && scan <= 53);
  if (letter_row) {  // Alt+letter and Alt+punctuation give their scan code
    out[1] = static_cast<uint8_t>(scan);
    return true;
  }
  if (scan >= 2 && scan <= 13) {  // Alt+1 ... Alt+0, Alt+-, Alt+=
    out[1] = static_cast<uint8_t>(scan + 118);
    return true;
  }
  return false;
}

bool TableCode(const KeyRow* rows, int count, uint16_t scan, bool alt, bool ctrl, bool shift,
               uint8_t out[2]) {
  for (int i = 0; i < count; ++i) {
    if (rows[i].scan != scan) continue;
    const uint8_t* pick = alt ? rows[i].alt : ctrl ? rows[i].ctrl : shift ? rows[i].shift : rows[i].normal;
    if (pick[1] == 0) return false;
    out[0] = pick[0];
    out[1] = pick[1];
    return true;
  }
  return false;
}

bool ExtendedCode(const ConsoleKeyRecord& r, bool alt, bool ctrl, bool shift, uint8_t out[2]) {
  if (r.control_state & kKeyEnhanced) {
    return TableCode(kEnhancedKeys, sizeof kEnhancedKeys / sizeof kEnhancedKeys[0], r.scan_code, alt,
                     ctrl, shift, out);
  }
  if (TableCode(kNormalKeys, sizeof kNormalKeys / sizeof kNormalKeys[0], r.scan_code, alt, ctrl, shift,
                out)) {
    return true;
  }
  return RuleCode(r.scan_code, alt, ctrl, shift, out);
}

}  // namespace

KeyCodes TranslateKeyRecord(const ConsoleKeyRecord& record) {
  KeyCodes codes = {0, {0, 0}};
  if (!record.is_key || !record.key_down) return codes;
  bool alt = (record.control_state & (kKeyLeftAlt | kKeyRightAlt)) != 0;
  bool ctrl = (record.control_state & (kKeyLeftCtrl | kKeyRightCtrl)) != 0;
  bool shift = (record.control_state & kKeyShift) != 0;
  bool alt_alone = alt && !ctrl;
  if (alt_alone && ExtendedCode(record, alt, ctrl, shift, codes.bytes)) {
    codes.count = 2;
    return codes;
  }
  if (record.char_code != 0) {
    codes.count = 1;
    codes.bytes[0] = record.char_code;
    return codes;
  }
  if (ExtendedCode(record, alt, ctrl, shift, codes.bytes)) codes.count = 2;
  return codes;
}
