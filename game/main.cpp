// Program entry: the runtime first, then the menu until "1", then the game, which
// never returns.
#include "console/runtime.h"
#include "game/game.h"

int main(int argc, char** argv) {
  RuntimeInit(argc, argv);
  RtString menu_choice{};
  while (!RtEqualsText(&menu_choice, "1")) {
    RtAssign(&menu_choice, MainMenu());
    if (RtEqualsText(&menu_choice, "2")) {
      OptionsScreen(first_player);
    } else if (RtEqualsText(&menu_choice, "3")) {
      AboutScreen();
    }
  }
  PlayGame();
}
