// The Unix terminal the program's console runs on: its screen copy, its modes
// (raw while keys are read, cooked with echo while a line is read) and the
// restoring of the settings found at start on every way out.
#pragma once
#include <cstddef>
#include <cstdint>

#include "console/terminal_screen.h"

// The screen copy, sized from the terminal on first use.
TerminalScreen* TerminalTtyScreen();
// Sends the copy's pending output to the terminal.
void TerminalTtyFlush();
// Saves the terminal's settings, switches it to raw input and arranges their
// return at exit and on SIGINT, SIGTERM and SIGHUP. Does nothing off a terminal.
void TerminalTtyStart();
// Cooked, echoed input for a line (true) or raw input for keys (false).
void TerminalTtyLineMode(bool line);
// Reads what is waiting, up to size bytes, waiting at most timeout_ms (-1: no
// limit). Returns the count, 0 when nothing came in time, -1 at end of input.
int TerminalTtyRead(uint8_t* buffer, size_t size, int timeout_ms);
