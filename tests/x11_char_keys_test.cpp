// Character keys of the X window come out as the code page 866 bytes the rest
// of the program uses, whichever keysym form the layout sends.
#include <gtest/gtest.h>

#include <cstdint>

#include "console/cp866.h"
#include "gfx/window/x11_char_keys.h"

namespace {

constexpr uint32_t kUnicode = 0x01000000;

int32_t CodeOf(uint32_t keysym) { return X11CharacterCode(keysym, "", 0); }

TEST(X11CharacterKeys, CyrillicKeysymsGiveCodePage866Letters) {
  EXPECT_EQ(CodeOf(0x6C1), 0xA0);  // а
  EXPECT_EQ(CodeOf(0x6C0), 0xEE);  // ю, first of the KOI8 order
  EXPECT_EQ(CodeOf(0x6D1), 0xEF);  // я
  EXPECT_EQ(CodeOf(0x6DF), 0xEA);  // ъ, last small letter
  EXPECT_EQ(CodeOf(0x6E1), 0x80);  // А
  EXPECT_EQ(CodeOf(0x6F1), 0x9F);  // Я
  EXPECT_EQ(CodeOf(0x6FF), 0x9A);  // Ъ
  EXPECT_EQ(CodeOf(0x6A3), 0xF1);  // ё
  EXPECT_EQ(CodeOf(0x6B3), 0xF0);  // Ё
  EXPECT_EQ(CodeOf(0x6A4), 0xF3);  // є
  EXPECT_EQ(CodeOf(0x6B7), 0xF4);  // Ї
  EXPECT_EQ(CodeOf(0x6AE), 0xF7);  // ў
  EXPECT_EQ(CodeOf(0x6B0), 0xFC);  // №
}

TEST(X11CharacterKeys, EveryLetterOfTheCodePageComesThroughItsUnicodeKeysym) {
  for (int byte = 0x80; byte <= 0xFF; ++byte) {
    uint32_t character = Cp866ToUnicode(static_cast<uint8_t>(byte));
    EXPECT_EQ(CodeOf(kUnicode | character), byte) << std::hex << character;
  }
}

TEST(X11CharacterKeys, CharactersTheCodePageLacksGiveNothing) {
  EXPECT_EQ(CodeOf(0x6A6), 0);              // і: Ukrainian, not in 866
  EXPECT_EQ(CodeOf(0x6AD), 0);              // ґ
  EXPECT_EQ(CodeOf(0xE9), 0);               // é would read as щ
  EXPECT_EQ(X11CharacterCode(0xE4, "\xE4", 1), 0);  // ä, whatever XLookupString made of it
  EXPECT_EQ(CodeOf(kUnicode | 0x20AC), 0);  // €
  EXPECT_EQ(CodeOf(0x7E1), 0);              // Greek alpha: no table of its own
  EXPECT_EQ(CodeOf(0xB0), 0xF8);            // the degree sign is in 866
  EXPECT_EQ(CodeOf(0xA0), 0xFF);            // and the no-break space
}

TEST(X11CharacterKeys, AsciiAndControlKeysKeepWhatXLookupStringGave) {
  EXPECT_EQ(X11CharacterCode('1', "1", 1), '1');
  EXPECT_EQ(X11CharacterCode('a', "\x01", 1), 1);      // Ctrl+A
  EXPECT_EQ(X11CharacterCode(0xFF0D, "\r", 1), 13);    // Return
  EXPECT_EQ(X11CharacterCode(0xFF1B, "\x1b", 1), 27);  // Escape
  EXPECT_EQ(X11CharacterCode(0xFFB1, "1", 1), '1');    // keypad 1, Num Lock on
  EXPECT_EQ(X11CharacterCode(0xFFE1, "", 0), 0);       // Shift alone
  EXPECT_EQ(X11CharacterCode('a', "ab", 2), 0);        // two characters
  EXPECT_EQ(X11KeysymUnicode(kUnicode | 0x41), 0u);    // ASCII is XLookupString's
  EXPECT_EQ(X11KeysymUnicode(kUnicode | 0x110000), 0u);
}

}  // namespace
