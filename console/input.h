/// \file
/// The input statement: a prompt, one whole line typed on the keyboard, split
/// into fields at commas and blanks (double quotes group a field), each field
/// converted into the variable it is meant for.
///
/// A statement starts with InputBegin, which reads the line, and takes its
/// fields in order with InputInt, InputDouble, InputString and the others; a
/// field that the line does not have reads as 0 or the empty string. InputLine
/// reads a whole line into one string instead. In a graphics window the line is
/// typed into the window. File numbers 1 to 255 name files, but this runtime
/// opens no file: they give last error code 1. Call these from the program's
/// thread only.
#pragma once
#include <cstdint>

#include "console/rt_string.h"

/// The destination size that means a variable-length destination: an RtString*
/// variable (its buffer freed and replaced). Any size above 0 means a fixed
/// buffer (a char*) of that many bytes, which holds at most size - 1 bytes and
/// a NUL.
constexpr int32_t kVariableLength = -1;

/// Starts an input statement on the keyboard: prints the prompt and reads one
/// whole line, whose fields the Input calls then take.
/// \param prompt the prompt, or null for none. A temporary is consumed.
/// \param question non-zero prints "? " after the prompt (only when a prompt is given).
/// \param newline 0 puts the cursor back on the row where typing ended, right
///   after the typed text; non-zero leaves it at the start of the next row.
/// \return the last error code, which it sets: 0 (also at the end of input, see
///   InputReachedEnd).
int32_t InputBegin(RtString* prompt, int32_t question, int32_t newline);

/// Whether the last InputBegin met the end of input (standard input closed, or
/// the end-of-input key typed at the start of the line) before reading
/// anything; its fields are then all empty.
/// \return true at the end of input.
bool InputReachedEnd();

/// Starts an input statement on a numbered file.
/// \param file_number 1 to 255; since no file can be open, always fails.
/// \return the last error code, which it sets: 1 for a number with no open
///   file, 0 otherwise.
int32_t InputFromFile(int32_t file_number);

/// Takes the next field (at most 4 characters) as a number and stores its low 8 bits.
/// \param destination receives the value; text that is not a number gives 0.
/// \return the last error code, which it sets to 0.
int32_t InputByte(uint8_t* destination);

/// Takes the next field (at most 6 characters) as a number and stores its low 16 bits.
/// \param destination receives the value; text that is not a number gives 0.
/// \return the last error code, which it sets to 0.
int32_t InputShort(int16_t* destination);

/// Takes the next field (at most 11 characters) as a 32-bit integer. Conversion
/// stops at the first character that cannot continue the number ("1.9" gives 1);
/// values out of range give the nearest limit.
/// \param destination receives the value; text that is not a number gives 0.
/// \return the last error code, which it sets to 0.
int32_t InputInt(int32_t* destination);

/// Takes the next field (at most 22 characters) as a 64-bit integer.
/// \param destination receives the value; text that is not a number gives 0.
/// \return the last error code, which it sets to 0.
int32_t InputLong(int64_t* destination);

/// Takes the next field (at most 15 characters) as a single-precision number.
/// \param destination receives the value; text that is not a number gives 0.
/// \return the last error code, which it sets to 0.
int32_t InputSingle(float* destination);

/// Takes the next field (at most 21 characters) as a double-precision number.
/// \param destination receives the value; text that is not a number gives 0.
/// \return the last error code, which it sets to 0.
int32_t InputDouble(double* destination);

/// Takes the next field (at most 1024 characters) as text. Unquoted, a comma
/// ends it and inner blanks stay; quoted, commas and blanks stay and the quotes
/// are dropped.
/// \param destination an RtString* variable (size kVariableLength) or a char buffer.
/// \param size kVariableLength, or the buffer's size in bytes.
/// \param fill non-zero pads a buffer with blanks to size - 1 bytes; 0 does not.
/// \return the last error code, which it sets to 0.
int32_t InputString(void* destination, int32_t size, int32_t fill);

/// Reads one whole line, without its line end, into one destination (fields
/// and quotes play no part). A line longer than 1023 bytes is read in pieces
/// and joined.
/// \param file_number 0 for the keyboard; 1 to 255 for a file (none can be
///   open: last error code 1).
/// \param prompt the prompt, or null for none; shown for the keyboard only. A
///   temporary is consumed, also when the call fails.
/// \param destination an RtString* variable (size kVariableLength) or a char
///   buffer; emptied when the input ended before anything was read.
/// \param size kVariableLength, or the buffer's size in bytes.
/// \param fill non-zero pads a buffer with blanks to size - 1 bytes; 0 does not.
/// \param question non-zero prints "? " after the prompt (only when a prompt is given).
/// \param newline 0 puts the cursor back on the row where typing ended, right
///   after the typed text; non-zero leaves it at the start of the next row.
/// \return the last error code, which it sets: 1 for a bad file number or a
///   file that is not open, else 0.
int32_t InputLine(int32_t file_number, RtString* prompt, void* destination, int32_t size,
                  int32_t fill, int32_t question, int32_t newline);

/// InputLine on a numbered file, with no prompt.
/// \param file_number 1 to 255 (none can be open: last error code 1).
/// \param destination an RtString* variable (size kVariableLength) or a char buffer.
/// \param size kVariableLength, or the buffer's size in bytes.
/// \param fill non-zero pads a buffer with blanks to size - 1 bytes.
/// \return the last error code, which it sets.
int32_t LineInputFromFile(int32_t file_number, void* destination, int32_t size, int32_t fill);
