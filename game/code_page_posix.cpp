// Native builds have no console code page to choose.
#include "game/game.h"

void UseGameCodePage() {}
