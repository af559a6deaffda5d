// Process-wide game state set in the menu phase and read by the board.
#include "game/game.h"

int32_t first_player = 0;
