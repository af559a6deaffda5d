// The print statement's outputs and column records, for the runtime's own
// files: the console's column tracker that the locate operations keep in step,
// and the steps the print operations are made of.
#pragma once
#include <cstdint>

#include "console/print.h"

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
