// Character keys of the X window as code page 866 bytes.
//
// Which byte: on Windows the window's keys go through ToAscii, which answers in
// the system's ANSI code page (1251 on a Russian system), while the console the
// game's menu runs in answers in the OEM code page, 866. The program itself is
// a code page 866 program through and through: its texts are 866 bytes, the
// terminal layer turns typed UTF-8 into 866, and a program of the runtime that
// compares a key with one of its own strings must find the same byte in the
// menu and in the window. So a Cyrillic letter gives its 866 byte here, the
// byte the Windows build's console gives for it; a character that 866 lacks
// (the Latin-1 letters among them, whose Latin-1 bytes would read as other
// Cyrillic letters) gives nothing, as an untranslatable key does on Windows.
#include "gfx/window/x11_char_keys.h"

#include "console/cp866.h"

namespace {

// Keysyms 0x6a1 to 0x6bf: the letters beyond Russian's 32 and the numero sign.
constexpr uint16_t kCyrillicExtra[31] = {
    0x0452, 0x0453, 0x0451, 0x0454, 0x0455, 0x0456, 0x0457, 0x0458, 0x0459, 0x045A, 0x045B,
    0x045C, 0x0491, 0x045E, 0x045F, 0x2116, 0x0402, 0x0403, 0x0401, 0x0404, 0x0405, 0x0406,
    0x0407, 0x0408, 0x0409, 0x040A, 0x040B, 0x040C, 0x0490, 0x040E, 0x040F};

// Keysyms 0x6c0 to 0x6df, small letters in KOI8 order, as offsets from U+0430;
// 0x6e0 to 0x6ff are the capitals in the same order.
constexpr uint8_t kCyrillicKoi8Order[32] = {30, 0,  1,  22, 4,  5,  20, 3,  21, 8,  9,
                                            10, 11, 12, 13, 14, 15, 31, 16, 17, 18, 19,
                                            6,  2,  28, 27, 7,  24, 29, 25, 23, 26};

constexpr uint32_t kUnicodeKeysym = 0x01000000;

}  // namespace

uint32_t X11KeysymUnicode(uint32_t keysym) {
  if (keysym >= 0xA0 && keysym <= 0xFF) return keysym;
  if (keysym >= 0x6A1 && keysym <= 0x6BF) return kCyrillicExtra[keysym - 0x6A1];
  if (keysym >= 0x6C0 && keysym <= 0x6DF) return 0x0430 + kCyrillicKoi8Order[keysym - 0x6C0];
  if (keysym >= 0x6E0 && keysym <= 0x6FF) return 0x0410 + kCyrillicKoi8Order[keysym - 0x6E0];
  if (keysym > kUnicodeKeysym + 0x7F && keysym <= kUnicodeKeysym + 0x10FFFF) return keysym - kUnicodeKeysym;
  return 0;
}

int32_t X11CharacterCode(uint32_t keysym, const char* text, int length) {
  uint32_t character = X11KeysymUnicode(keysym);
  if (character) {
    int byte = UnicodeToCp866(character);
    return byte > 0 ? byte : 0;
  }
  return length == 1 ? static_cast<uint8_t>(text[0]) : 0;
}
