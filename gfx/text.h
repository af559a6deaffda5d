/// \file
/// The text grid of the graphics window. Text itself is written with the console
/// operations (PrintString, WriteText, Locate, SetColor, ClearScreen), which act
/// on the window while a screen is open: glyphs 8 pixels wide from the mode's
/// font, drawn opaque in the foreground on the background, with line wrap,
/// tab stops every 8 columns and scrolling of the text area.
#pragma once
#include <cstdint>

/// Changes the graphics window's text grid, and with it the font, then clears
/// the text area (ClearScreen with the view). A cell is the screen's size
/// divided by the grid (integer division); only cells 8 pixels wide and 8, 14
/// or 16 pixels tall are accepted (in mode 12: 80 columns with 60, 33 or 34, or
/// 30 rows); any other grid changes nothing. There is no
/// console operation for it: call it directly, from the program's thread, while
/// a screen is open.
/// \param columns the new number of columns, or 0 or below to keep them.
/// \param rows the new number of rows, or 0 or below to keep them.
/// \return the screen's size in pixels, (height << 16) | width, whether or not
///   the grid changed; 0 when no screen is open.
int32_t GfxSetTextSize(int32_t columns, int32_t rows);
