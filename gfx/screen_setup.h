// The pieces of the mode switch that live in files of their own: the hook table,
// the display driver search, the context's memory and the window title.
#pragma once
#include <cstddef>
#include <cstdint>

#include "gfx/screen.h"
#include "gfx/window/display_driver.h"

// Fills all sixteen console hook slots with the graphics operations, or empties
// them all; the table is never left partly filled.
void InstallGfxHooks();
void RemoveGfxHooks();

// Tries the display drivers in their passes. On success returns the driver that
// started and stores the flags it was started with; null when none starts.
const DisplayDriver* StartDisplayDriver(int32_t refresh_rate, int32_t* flags);

// Zero-filled memory for the context and its tables; null when none is left.
void* ScreenAllocZeroed(size_t bytes);
// For tests: the allocation after `countdown` more successful ones fails (0: the
// next one); a negative countdown lets every allocation succeed again.
void SetScreenAllocFailure(int32_t countdown);

// Stops the driver (if one was recorded) and frees the context, its tables and
// the RGB16 lookup. Safe on a half-built context and with no context at all.
void ScreenFreeContext();

// Cuts a file name at its last "." in place (board.exe becomes board).
void CutTitleAtExtension(char* name);
