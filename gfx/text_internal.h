// The graphics implementations of the console operations that the mode switch
// installs into the console hook table, and the text-drawing steps they share.
#pragma once
#include <cstdint>

#include "gfx/text.h"

// Hook implementations; signatures match the ConsoleHooks slots.
void GfxWriteText(const char* text, int32_t length, int32_t print_mode);
char* GfxReadLine(char* buffer, int32_t size);
int32_t GfxLocate(int32_t row, int32_t column, int32_t visibility);
int32_t GfxSetColor(int32_t foreground, int32_t background);
void GfxClear(int32_t mode);
int32_t GfxCursorColumn();
int32_t GfxCursorRow();
void GfxCursorPosition(int32_t* column, int32_t* row);
void GfxTextSize(int32_t* columns, int32_t* rows);

// Writes a zero-terminated text at the cursor.
void GfxWriteZ(const char* text);
// Draws glyph c in the cell under the cursor; the caller holds the lock.
void DrawGlyph(uint8_t c);
// Scrolls the text area by one row when the cursor has left it; the caller holds
// the lock. The changed row range then becomes the whole text area.
void TextScrollCheck(int32_t* first_row, int32_t* row_count);
// Moves the cursor one cell back, to the end of the previous row from column 0.
void TextCursorBack();
// The glyph that marks the cursor while a line is typed: a solid block.
constexpr uint8_t kCursorMarkGlyph = 0xDB;
