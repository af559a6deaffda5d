/// \file
/// The print statement: items of text written at the cursor, each followed by a
/// newline, a step to the next 14-column print zone, or nothing.
///
/// File number 0 is the console (the text console, or the graphics window while
/// a screen is open). Numbers 1 to 255 name files, but this runtime opens no
/// file: printing to them writes nothing and sets the last error code to 1.
/// Call these from the program's thread only.
#pragma once
#include <cstdint>

#include "console/rt_string.h"

/// print_mode flag: a newline after the item.
constexpr int32_t kPrintNewline = 1;
/// print_mode flag: after the item, move to the start of the next print zone.
/// Zones start at columns 1, 15, 29, ...; on the console a zone that would start
/// past the width minus 14 becomes a newline.
constexpr int32_t kPrintNextZone = 2;
/// The width of a print zone, in columns.
constexpr int32_t kPrintZoneWidth = 14;

/// Prints a string.
/// \param file_number 0 for the console; 1 to 255 for a file (none can be open:
///   last error code 1).
/// \param text the text, or null for an empty item. A temporary is consumed
///   (released afterwards); a variable stays the caller's.
/// \param print_mode kPrintNewline, kPrintNextZone or 0 (stay right after the item).
void PrintString(int32_t file_number, RtString* text, int32_t print_mode);

/// Prints a NUL-terminated text.
/// \param file_number 0 for the console; 1 to 255 for a file (last error code 1).
/// \param text the text, or null for an empty item.
/// \param print_mode kPrintNewline, kPrintNextZone or 0.
void PrintCString(int32_t file_number, const char* text, int32_t print_mode);

/// Prints bytes, which may include 0.
/// \param file_number 0 for the console; 1 to 255 for a file (last error code 1).
/// \param bytes the bytes, or null for an empty item.
/// \param length their count.
/// \param print_mode kPrintNewline, kPrintNextZone or 0.
void PrintText(int32_t file_number, const char* bytes, uint32_t length, int32_t print_mode);

/// Ends a print statement without an item: a newline with kPrintNewline, a zone
/// step with kPrintNextZone, nothing with 0.
/// \param file_number 0 for the console; 1 to 255 for a file (last error code 1).
/// \param print_mode kPrintNewline, kPrintNextZone or 0.
void PrintFinish(int32_t file_number, int32_t print_mode);
