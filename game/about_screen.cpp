// The about screen: the rules and credits, in Russian, as code page 866 bytes
// written unchanged; any key, extended keys included, returns to the menu.
#include "console/console.h"
#include "console/print.h"
#include "game/game.h"

namespace {

constexpr const char* kAboutLines[] = {
    // Игра Tavrel
    "\x88\xA3\xE0\xA0 Tavrel",
    // Вы можете ходить влево, вниз или по диагонали вниз
    "\x82\xEB \xAC\xAE\xA6\xA5\xE2\xA5 \xE5\xAE\xA4\xA8\xE2\xEC \xA2\xAB\xA5\xA2\xAE, "
    "\xA2\xAD\xA8\xA7 \xA8\xAB\xA8 \xAF\xAE \xA4\xA8\xA0\xA3\xAE\xAD\xA0\xAB\xA8 "
    "\xA2\xAD\xA8\xA7",
    // побеждает тот, кто поставит короля в нижнее левое поле
    "\xAF\xAE\xA1\xA5\xA6\xA4\xA0\xA5\xE2 \xE2\xAE\xE2, \xAA\xE2\xAE "
    "\xAF\xAE\xE1\xE2\xA0\xA2\xA8\xE2 \xAA\xAE\xE0\xAE\xAB\xEF \xA2 "
    "\xAD\xA8\xA6\xAD\xA5\xA5 \xAB\xA5\xA2\xAE\xA5 \xAF\xAE\xAB\xA5",
    // (a single blank)
    " ",
    // Автор: Dornak
    "\x80\xA2\xE2\xAE\xE0: Dornak",
    // компилятор ZUZ - Version 0.14 for win32
    "\xAA\xAE\xAC\xAF\xA8\xAB\xEF\xE2\xAE\xE0 ZUZ - Version 0.14 for win32",
    // нажимте любую клавишу...
    "\xAD\xA0\xA6\xA8\xAC\xE2\xA5 \xAB\xEE\xA1\xE3\xEE \xAA\xAB\xA0\xA2\xA8\xE8\xE3...",
};

}  // namespace

void AboutScreen() {
  for (const char* line : kAboutLines) PrintCString(0, line, kPrintNewline);
  RtString key{};
  do {
    RtAssign(&key, ReadKey());
  } while (RtLength(&key) == 0);
  RtClear(&key);
}
