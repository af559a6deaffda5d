// A console screen buffer kept for a Unix terminal: the cells, the cursor and
// the text attribute as the console calls see them, each change sent to the
// terminal as ANSI/VT sequences with the characters in UTF-8. The terminal
// cannot be asked what it shows, so this copy answers every query.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "console/console_api.h"

struct TerminalCell {
  uint8_t ch;  // code page 866
  uint16_t attribute;
};

struct TerminalScreen {
  int width = 0;
  int height = 0;
  std::vector<TerminalCell> cells;
  ConsoleCoord cursor = {0, 0};
  uint16_t attribute = 7;
  uint32_t mode = kConsoleWrapAtEol;
  ConsoleCursorState cursor_state = {25, true};
  // Where the terminal's own cursor is and which colours it writes in, so that
  // no sequence is sent twice; -1 and 0xFFFF: not known.
  int terminal_x = -1;
  int terminal_y = -1;
  uint32_t terminal_attribute = 0xFFFF;
  std::string output;  // bytes for the terminal, not yet sent
};

void TerminalScreenInit(TerminalScreen* screen, int width, int height);
// The ANSI colour sequence for a console attribute.
std::string TerminalColourSequence(uint16_t attribute);

// The console calls. Each returns what the console would, leaving the bytes to
// send in screen->output.
uint32_t TerminalFillAttribute(TerminalScreen* screen, uint16_t attribute, uint32_t count,
                               ConsoleCoord at);
uint32_t TerminalFillCharacter(TerminalScreen* screen, char ch, uint32_t count, ConsoleCoord at);
bool TerminalSetCursorPosition(TerminalScreen* screen, ConsoleCoord at);
void TerminalSetCursorState(TerminalScreen* screen, const ConsoleCursorState& state);
bool TerminalScroll(TerminalScreen* screen, const ConsoleRect& rect, ConsoleCoord destination,
                    char fill_char, uint16_t fill_attribute);
void TerminalWrite(TerminalScreen* screen, const uint8_t* bytes, uint32_t length);
// Moves the copy as the terminal moved when it echoed a typed line itself.
void TerminalEchoed(TerminalScreen* screen, const uint8_t* bytes, uint32_t length);
// Sends the cursor to where the copy has it; called after each call.
void TerminalSyncCursor(TerminalScreen* screen);
// Sends the whole copy again (after the terminal drew something of its own).
void TerminalRedraw(TerminalScreen* screen);
