// The byte a character key gives in the X window: the same code page 866 byte
// the program's texts and its terminal input use, also for the letters that
// XLookupString cannot give (it yields Latin-1 only).
#pragma once
#include <cstdint>

// The Unicode character of a character keysym outside ASCII (Latin-1, the
// Cyrillic block 0x6a1 to 0x6ff, and Unicode keysyms 0x01000000 | ucs), or 0.
uint32_t X11KeysymUnicode(uint32_t keysym);

// The key code of a key that is not a special key: for a keysym outside ASCII
// its letter's code page 866 byte (0 when the code page has none); otherwise
// the one byte XLookupString produced (text, length), or 0.
int32_t X11CharacterCode(uint32_t keysym, const char* text, int length);
