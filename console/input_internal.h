// The input statement's field reader, for the runtime's own files and tests:
// the field limits of the conversions, the field splitter and the character
// source it reads from.
#pragma once
#include <cstdint>

#include "console/input.h"

// Field limits of the conversions.
constexpr int32_t kFieldByte = 4;
constexpr int32_t kFieldShort = 6;
constexpr int32_t kFieldInt = 11;
constexpr int32_t kFieldLong = 22;
constexpr int32_t kFieldSingle = 15;
constexpr int32_t kFieldDouble = 21;
constexpr int32_t kFieldString = 1024;

// The next field into buffer (limit + 1 bytes): at most limit characters.
void InputField(char* buffer, int32_t limit, bool string_mode);

// The next character of the input source as 0 to 255, or -1 when exhausted.
int32_t ReadInputChar();
// Steps back one character; returns 1 when it could.
int32_t UnreadInputChar(int32_t c);

// The keyboard line currently being read (for tests).
const RtString* InputLineText();
