// Terminal key decoding. Escape sequences carry the xterm modifier parameter
// (1 + shift 1, alt 2, ctrl 4); ESC before a character is Alt with that key.
// Each decoded key is one key-down record with the scan code the key has on a
// PC keyboard, so that the shared translation gives the Windows codes.
#include "console/terminal_keys.h"

#include <cstring>

#include "console/cp866.h"

namespace {

constexpr uint8_t kEsc = 27;

// Scan codes of the main block, by the character of the key unshifted.
constexpr const char* kScanRows[] = {"1234567890-=", "qwertyuiop[]", "asdfghjkl;'`", "zxcvbnm,./"};
constexpr uint8_t kScanRowStart[] = {2, 16, 30, 44};

uint16_t ScanOfCharacter(uint8_t ch) {
  if (ch >= 'A' && ch <= 'Z') ch = static_cast<uint8_t>(ch - 'A' + 'a');
  if (ch == '\\') return 43;
  if (ch == ' ') return 57;
  for (int row = 0; row < 4; ++row) {
    const char* found = ch ? std::strchr(kScanRows[row], ch) : nullptr;
    if (found) return static_cast<uint16_t>(kScanRowStart[row] + (found - kScanRows[row]));
  }
  return 0;
}

TerminalKey Key(size_t used, uint8_t ch, uint16_t scan, uint32_t state) {
  TerminalKey key{TerminalKeyStatus::kKey, used, ConsoleKeyRecord{}};
  key.record.is_key = true;
  key.record.key_down = true;
  key.record.char_code = ch;
  key.record.scan_code = scan;
  key.record.virtual_key = ch >= 'a' && ch <= 'z' ? static_cast<uint16_t>(ch - 32) : ch;
  key.record.control_state = state;
  return key;
}

TerminalKey Skip(size_t used) { return TerminalKey{TerminalKeyStatus::kSkip, used, {}}; }
TerminalKey NeedMore() { return TerminalKey{TerminalKeyStatus::kNeedMore, 0, {}}; }

// A single byte as the key that sends it.
TerminalKey ByteKey(uint8_t b, size_t used, uint32_t state) {
  if (b == 13) return Key(used, 13, 28, state);
  if (b == 127 || b == 8) return Key(used, 8, 14, state);
  if (b == 9) return Key(used, 9, 15, state);
  if (b == kEsc) return Key(used, kEsc, 1, state);
  if (b == 0) return Key(used, 0, 3, state | kKeyLeftCtrl);
  if (b < 32) return Key(used, b, ScanOfCharacter(static_cast<uint8_t>(b + 96)), state | kKeyLeftCtrl);
  return Key(used, b, ScanOfCharacter(b), state);
}

uint32_t ModifierState(int parameter) {
  if (parameter < 2) return 0;
  int bits = parameter - 1;
  uint32_t state = 0;
  if (bits & 1) state |= kKeyShift;
  if (bits & 2) state |= kKeyLeftAlt;
  if (bits & 4) state |= kKeyLeftCtrl;
  return state;
}

// The scan code of a sequence's final letter (cursor keys, F1 to F4).
bool LetterKey(uint8_t final, uint16_t* scan, bool* enhanced) {
  static constexpr struct { uint8_t final; uint8_t scan; bool enhanced; } kLetters[] = {
      {'A', 72, true}, {'B', 80, true}, {'C', 77, true}, {'D', 75, true}, {'H', 71, true},
      {'F', 79, true}, {'P', 59, false}, {'Q', 60, false}, {'R', 61, false}, {'S', 62, false},
  };
  for (const auto& row : kLetters) {
    if (row.final != final) continue;
    *scan = row.scan;
    *enhanced = row.enhanced;
    return true;
  }
  return false;
}

// The scan code of a "CSI n ~" key.
bool TildeKey(int n, uint16_t* scan, bool* enhanced) {
  static constexpr struct { uint8_t n; uint8_t scan; bool enhanced; } kTilde[] = {
      {1, 71, true},  {7, 71, true},  {2, 82, true},  {3, 83, true},  {4, 79, true},
      {8, 79, true},  {5, 73, true},  {6, 81, true},  {11, 59, false}, {12, 60, false},
      {13, 61, false}, {14, 62, false}, {15, 63, false}, {17, 64, false}, {18, 65, false},
      {19, 66, false}, {20, 67, false}, {21, 68, false}, {23, 87, false}, {24, 88, false},
  };
  for (const auto& row : kTilde) {
    if (row.n != n) continue;
    *scan = row.scan;
    *enhanced = row.enhanced;
    return true;
  }
  return false;
}

TerminalKey SequenceKey(size_t used, uint16_t scan, bool enhanced, uint32_t state) {
  return Key(used, 0, scan, state | (enhanced ? kKeyEnhanced : 0));
}

// ESC [ parameters final, starting at bytes[2].
TerminalKey DecodeCsi(const uint8_t* bytes, size_t length) {
  if (length > 2 && bytes[2] == '[') {  // the Linux console's F1 to F5: ESC [ [ A..E
    if (length < 4) return NeedMore();
    if (bytes[3] >= 'A' && bytes[3] <= 'E') return SequenceKey(4, 59 + (bytes[3] - 'A'), false, 0);
    return Skip(4);
  }
  int params[2] = {0, 0};
  int count = 0;
  for (size_t i = 2; i < length; ++i) {
    uint8_t b = bytes[i];
    if (b >= '0' && b <= '9') {
      if (count < 2 && params[count] < 1000) params[count] = params[count] * 10 + (b - '0');
      continue;
    }
    if (b == ';') {
      ++count;
      continue;
    }
    if (b < 0x40 || b > 0x7E) continue;  // other parameter and intermediate bytes
    uint16_t scan = 0;
    bool enhanced = false;
    uint32_t state = ModifierState(params[1]);
    if (b == '~' && TildeKey(params[0], &scan, &enhanced)) return SequenceKey(i + 1, scan, enhanced, state);
    if (b == 'Z') return Key(i + 1, 0, 15, kKeyShift);
    if (b != '~' && LetterKey(b, &scan, &enhanced)) return SequenceKey(i + 1, scan, enhanced, state);
    return Skip(i + 1);
  }
  return NeedMore();
}

TerminalKey DecodeEscape(const uint8_t* bytes, size_t length, bool complete) {
  if (length == 1) return complete ? ByteKey(kEsc, 1, 0) : NeedMore();
  uint8_t next = bytes[1];
  if (next == '[') {
    TerminalKey key = DecodeCsi(bytes, length);
    if (key.status == TerminalKeyStatus::kNeedMore && complete) return Key(2, '[', 26, kKeyLeftAlt);
    return key;
  }
  if (next == 'O') {
    if (length < 3) return complete ? Key(2, 'O', 24, kKeyLeftAlt | kKeyShift) : NeedMore();
    uint16_t scan = 0;
    bool enhanced = false;
    if (LetterKey(bytes[2], &scan, &enhanced)) return SequenceKey(3, scan, enhanced, 0);
    return Skip(3);
  }
  if (next == kEsc || next >= 0x80) return ByteKey(kEsc, 1, 0);
  return ByteKey(next, 2, kKeyLeftAlt);
}

int Utf8Length(uint8_t lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

TerminalKey DecodeUtf8(const uint8_t* bytes, size_t length) {
  int need = Utf8Length(bytes[0]);
  if (need == 0) return Skip(1);
  uint32_t code = bytes[0] & (0x7F >> need);
  for (int i = 1; i < need; ++i) {
    if (static_cast<size_t>(i) >= length) return NeedMore();
    if ((bytes[i] & 0xC0) != 0x80) return Skip(static_cast<size_t>(i));
    code = (code << 6) | (bytes[i] & 0x3F);
  }
  int byte = UnicodeToCp866(code);
  if (byte < 0) return Skip(static_cast<size_t>(need));
  return Key(static_cast<size_t>(need), static_cast<uint8_t>(byte), 0, 0);
}

}  // namespace

TerminalKey DecodeTerminalKey(const uint8_t* bytes, size_t length, bool complete) {
  if (length == 0) return TerminalKey{TerminalKeyStatus::kEmpty, 0, {}};
  if (bytes[0] == kEsc) return DecodeEscape(bytes, length, complete);
  if (bytes[0] >= 0x80) {
    TerminalKey key = DecodeUtf8(bytes, length);
    if (key.status == TerminalKeyStatus::kNeedMore && complete) return Skip(length);
    return key;
  }
  return ByteKey(bytes[0], 1, 0);
}
