// The text console: the operations that serve the console hook slots while no
// graphics screen has replaced them, and the text view they keep.
#pragma once
#include <cstdint>

#include "console/console.h"

// Keys (built on the console's input records).
KeyString* ConsoleReadKey();
int32_t ConsoleWaitKey();
int32_t ConsoleKeyWaiting();

// Output.
void ConsoleClear(int32_t mode);
int32_t ConsoleSetColor(int32_t foreground, int32_t background);
int32_t ConsoleLocate(int32_t row, int32_t column, int32_t visibility);
int32_t ConsoleCursorColumn();
int32_t ConsoleCursorRow();
void ConsoleCursorPosition(int32_t* column, int32_t* row);
void ConsoleTextSize(int32_t* columns, int32_t* rows);
void ConsoleWrite(const char* bytes, int32_t length, int32_t print_mode);
char* ConsoleReadLine(char* buffer, int32_t size);

// The text view: the rows of the screen buffer that text scrolls within, 1-based.
// Unset, it runs from row 1 to LargestHeight.
void ViewBounds(int32_t* top, int32_t* bottom);
// Sets the view (1-based, top <= bottom); returns false and changes nothing for
// rows out of order or below 1.
bool SetViewBounds(int32_t top, int32_t bottom);
void ScrollView(int32_t n);
int32_t LargestHeight();

// The colours and view back to their start values (7 on 0, view unset).
void ConsoleResetState();
