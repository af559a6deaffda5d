/// \file
/// The console operations: clearing, colours, the cursor, writing text, reading
/// a line and reading keys.
///
/// Each operation goes to the text console (the terminal or the Windows console)
/// while no graphics screen is open, and to the graphics window while one is
/// (ScreenSetMode fills the console hook table; mode 0 empties it again). Text
/// positions are 1-based (row 1, column 1 is the top-left cell). Call them from
/// the program's thread only.
///
/// Colour numbers on the text console and in the 16-colour graphics modes:
/// 0 black, 1 blue, 2 green, 3 cyan, 4 red, 5 magenta, 6 brown, 7 light grey,
/// 8 dark grey, 9 to 14 the light forms of 1 to 6 (12 light red), 15 white.
#pragma once
#include <cstdint>
#include <cstdio>

#include "tavrel_export.h"
#include "console/rt_string.h"

/// One key, as ReadKey returns it: the empty string when no key is waiting; one
/// byte for an ordinary key (Enter 13, Escape 27, "1" 49; characters of the
/// console's code page as they are); two bytes, 255 and the key's PC scan code,
/// for an extended key (Up 255 72 ("H"), Down 255 80 ("P"), Left 255 75 ("K"),
/// Right 255 77 ("M"), Insert 255 82, Delete 255 83, Home 255 71, End 255 79,
/// Page Up 255 73, Page Down 255 81, F1 to F10 255 59 to 255 68; the graphics
/// window's close box 255 88 ("X")). Tell them apart by RtLength, and read the
/// bytes with CharCodeAt.
using KeyString = RtString;

/// The value passed for an omitted mode argument (-65536, 0xFFFF0000); for
/// ClearScreen it selects the text view, as mode 1 does.
constexpr int32_t kNoArgument = static_cast<int32_t>(0xFFFF0000u);

/// The next key, without waiting for one. (A program that does nothing but poll
/// ReadKey in a tight loop is put to sleep inside it for up to 100 ms at a time
/// until a key arrives; one that draws or writes between its polls never is.)
/// \return a KeyString. A key is a temporary the caller owns: hand it to an
///   operation that consumes it (RtAssign, CharCodeAt, PrintString) or release
///   it with RtRelease, or after 256 kept keys no key arrives any more. No key
///   waiting gives the shared empty string (nothing to release).
RtString* ReadKey();

/// Waits for a key and returns its code. On the text console an extended key
/// gives its bare scan code (Up gives 72, as "H" does); in a graphics window it
/// gives its special code 256 to 276 (see kKeySpecialFirst).
/// \return the key code; -1 on the text console when no input can be read any
///   more (the end of standard input).
int32_t WaitKey();

/// Whether a key is waiting; consumes nothing.
/// \return non-zero when a key is waiting, 0 otherwise.
int32_t KeyWaiting();

/// Clears with the background colour and moves the cursor to column 1 of the
/// first row (on the text console: of its text view). In a graphics window the
/// last graphics point becomes the middle of the screen.
/// \param mode 0 clears everything (the whole console buffer, or the whole
///   graphics page); 1 or kNoArgument clears the text view (on the text console
///   its rows; in a graphics window the whole page, which is its view); on the
///   text console any other value clears everything, in a graphics window the view.
void ClearScreen(int32_t mode);

/// Sets the colours of the text written from now on, and in a graphics window
/// also of drawing (the foreground stands wherever kDefaultColour is passed).
/// In graphics modes 1, 7, 8 and 9 some of it goes to the palette instead: mode
/// 1: the foreground sets palette entry 0 (the screen's background) to built-in
/// colour foreground & 15, the background (& 3 = 0 to 3) picks one of the four
/// colour sets; modes 7, 8 and 9: the foreground is set (& 15) and the
/// background sets palette entry 0 to built-in colour background (& 15, in
/// mode 9 & 63).
/// \param foreground the colour: on the text console a colour number 0 to 15
///   (higher values taken modulo 16); in a graphics mode of up to 8 bits a
///   palette index (masked to the mode's depth); in a 16- or 32-bit mode a
///   0xRRGGBB value. A negative value leaves it unchanged.
/// \param background the same for the background.
/// \return the previous colours: (background << 16) | foreground.
int32_t SetColor(int32_t foreground, int32_t background);

/// Moves the text cursor; the next printed text starts there.
/// \param row the 1-based row, or 0 or below to keep the current row.
/// \param column the 1-based column, or 0 or below to keep the current column.
/// \param visibility on the text console a non-zero value shows the cursor, 0
///   hides it and a negative value leaves it as it is; a graphics window shows
///   no cursor and ignores it.
/// \return the new position packed: the 1-based column in bits 0 to 7, the
///   1-based row in bits 8 to 15, and on the text console bit 16 set while the
///   cursor is visible.
int32_t Locate(int32_t row, int32_t column, int32_t visibility);

/// The cursor's column.
/// \return the 1-based column.
int32_t CursorColumn();

/// The cursor's row.
/// \return the 1-based row.
int32_t CursorRow();

/// The cursor's position.
/// \param column receives the 1-based column; may be null.
/// \param row receives the 1-based row; may be null.
void CursorPosition(int32_t* column, int32_t* row);

/// The size of the text area: the console's width (80 when it cannot be read)
/// and the rows of its text view, or a graphics mode's text grid (80 by 30 in
/// mode 12).
/// \param columns receives the number of columns; may be null.
/// \param rows receives the number of rows; may be null.
void TextSize(int32_t* columns, int32_t* rows);

/// Writes bytes at the cursor, as they are (no print zones; PrintText is the
/// print statement). Line feed (10) and carriage return (13) start a new row;
/// in a graphics window tab (9) moves to the next multiple of 8 columns and
/// every other byte is drawn as a glyph of code page 437.
/// \param bytes the bytes to write.
/// \param length their count.
/// \param print_mode the print statement's flags: the text console reads
///   kPrintNewline (a newline follows this text) to decide how far to scroll,
///   and without it leaves a text that exactly fills the last row unscrolled; a
///   graphics window ignores it. 0 for a plain write.
void WriteText(const char* bytes, int32_t length, int32_t print_mode);

/// Reads one line, waiting for it. From standard input the text console reads
/// the terminal's line, and a graphics window the line typed into it (echoed at
/// the cursor, Backspace erasing); other streams are read with fgets.
/// \param buffer receives the line with its line end and a terminating NUL.
/// \param size the buffer's size in bytes: at most size - 1 bytes are stored.
/// \param stream the stream to read; stdin for the keyboard.
/// \return buffer, or null at the end of input (or, from a graphics window,
///   when no screen is open).
char* ReadLine(char* buffer, int32_t size, FILE* stream);

/// \cond TAVREL_INTERNAL
// For the graphics screen and the runtime itself; programs must not touch it.
// The hook table through which every console operation above is dispatched: an
// empty slot sends its operation to the text console. Only the screen mode
// switch writes it, always all sixteen slots at once.
struct ConsoleHooks {
  RtString* (*read_key)();
  int32_t (*wait_key)();
  int32_t (*key_waiting)();
  void (*clear)(int32_t mode);
  int32_t (*set_color)(int32_t foreground, int32_t background);
  int32_t (*locate)(int32_t row, int32_t column, int32_t visibility);
  int32_t (*set_text_size)(int32_t columns, int32_t rows);
  int32_t (*cursor_column)();
  int32_t (*cursor_row)();
  void (*cursor_position)(int32_t* column, int32_t* row);
  void (*text_size)(int32_t* columns, int32_t* rows);
  void (*write_text)(const char* bytes, int32_t length, int32_t print_mode);
  char* (*read_line)(char* buffer, int32_t size);
  int32_t (*key_is_down)(int32_t scan_code);
  int32_t (*read_mouse)(int32_t* x, int32_t* y, int32_t* wheel, int32_t* buttons);
  int32_t (*set_mouse)(int32_t x, int32_t y, int32_t cursor);
};

// The one table; all slots empty at start.
extern TAVREL_DATA ConsoleHooks g_console_hooks;
/// \endcond
