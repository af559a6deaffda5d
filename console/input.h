// The input statement: a prompt, one whole line from the keyboard (or fields
// from a numbered file), split into fields at commas and blanks with double
// quotes grouping, each field converted into its destination.
#pragma once
#include <cstdint>

#include "console/rt_string.h"

// Destination size for a variable-length string destination (an RtString*);
// any other size means a fixed buffer of that many bytes (a char*), which holds
// at most size - 1 bytes and a NUL.
constexpr int32_t kVariableLength = -1;

// Field limits of the conversions.
constexpr int32_t kFieldByte = 4;
constexpr int32_t kFieldShort = 6;
constexpr int32_t kFieldInt = 11;
constexpr int32_t kFieldLong = 22;
constexpr int32_t kFieldSingle = 15;
constexpr int32_t kFieldDouble = 21;
constexpr int32_t kFieldString = 1024;

// Starts an input statement on the keyboard: reads one line. Returns the last
// error code.
int32_t InputBegin(RtString* prompt, int32_t question, int32_t newline);
// True when the last InputBegin met the end of input before reading anything.
bool InputReachedEnd();
// Starts an input statement on a numbered file.
int32_t InputFromFile(int32_t file_number);

int32_t InputByte(uint8_t* destination);
int32_t InputShort(int16_t* destination);
int32_t InputInt(int32_t* destination);
int32_t InputLong(int64_t* destination);
int32_t InputSingle(float* destination);
int32_t InputDouble(double* destination);
int32_t InputString(void* destination, int32_t size, int32_t fill);

// Reads one whole line, in 1023-byte chunks joined, without its line end.
int32_t InputLine(int32_t file_number, RtString* prompt, void* destination, int32_t size,
                  int32_t fill, int32_t question, int32_t newline);
int32_t LineInputFromFile(int32_t file_number, void* destination, int32_t size, int32_t fill);

// The next field into buffer (limit + 1 bytes): at most limit characters.
void InputField(char* buffer, int32_t limit, bool string_mode);

// The next character of the input source as 0 to 255, or -1 when exhausted.
int32_t ReadInputChar();
// Steps back one character; returns 1 when it could.
int32_t UnreadInputChar(int32_t c);

// The keyboard line currently being read (for tests).
const RtString* InputLineText();
