// The game phase in the graphics window. Until the board lands, choosing "1. game"
// ends the program cleanly.
#include "console/runtime.h"
#include "game/game.h"

void PlayGame() { RuntimeEnd(0); }
