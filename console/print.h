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
