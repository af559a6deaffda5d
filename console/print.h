// The print statement: items with newline and 14-column print-zone control, for
// the console (file number 0) and numbered files.
#pragma once
#include <cstdint>

#include "console/rt_string.h"

// print_mode flags.
constexpr int32_t kPrintNewline = 1;
constexpr int32_t kPrintNextZone = 2;
constexpr int32_t kPrintZoneWidth = 14;

void PrintString(int32_t file_number, RtString* text, int32_t print_mode);
void PrintCString(int32_t file_number, const char* text, int32_t print_mode);
void PrintText(int32_t file_number, const char* bytes, uint32_t length, int32_t print_mode);
void PrintFinish(int32_t file_number, int32_t print_mode);

// The console's column tracker, which the locate operations keep in step.
int32_t ConsolePrintColumn();
void SetConsolePrintColumn(int32_t column);

// The two outputs of the print statement: the console (through the write_text
// hook) and a numbered file. Both keep their output's column up to date.
void PrintToConsole(const char* bytes, uint32_t length, int32_t print_mode);
void PrintToFile(int32_t file_number, const char* bytes, uint32_t length, int32_t print_mode);
// Moves the output to the start of the next 14-column zone (a newline when that
// zone would start past W - 14 on the console).
void PrintNextZone(int32_t file_number, int32_t print_mode);
// Writes blanks from 1-based column `from` up to column `to`, or a newline when
// `to` is not to the right of `from`.
void PadToColumn(int32_t file_number, int32_t print_mode, int32_t from, int32_t to);

// Drops the console's column record, so that its next use takes the cursor's
// column again, as at start.
void ForgetConsolePrintColumn();
