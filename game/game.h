// The game's text phase and the state it shares with the board: who moves first,
// the menu, the options and about screens, and the computer's move rule.
#pragma once
#include <cstdint>

#include "console/rt_string.h"

// Who moves first: 1 the computer, 2 the user, 0 not chosen yet. Any value other
// than 1 lets the user move first.
extern int32_t first_player;

// Shows the menu until "1", "2" or "3" is pressed and returns that key as a
// temporary string. "4" ends the program.
RtString* MainMenu();

// Asks who moves first until the answer is 1 or 2, unless it is already settled.
// End of input leaves the screen with the choice unchanged.
void OptionsScreen(int32_t& first_player);

// The rules and credits in Russian; returns after any key.
void AboutScreen();

// The computer's move from (king_col, king_row): onto a square whose column and
// row are both odd when it can, otherwise one step down (or left on the bottom
// row). Leaves (1, 1) alone.
void ComputerMove(int32_t& king_col, int32_t& king_row);

// The board and turn loop in the graphics window. Ends the program.
[[noreturn]] void PlayGame();
