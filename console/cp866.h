// Code page 866, the game's text encoding, and its conversion to and from
// Unicode, for terminals that speak UTF-8.
#pragma once
#include <cstdint>

// The character a code page 866 byte stands for.
uint32_t Cp866ToUnicode(uint8_t byte);
// The byte for a Unicode character, or -1 when code page 866 has none.
int UnicodeToCp866(uint32_t code_point);
// Writes the UTF-8 form of a code page 866 byte; returns its length (1 to 3).
int Cp866ToUtf8(uint8_t byte, char out[4]);
