// The options screen: asks who moves first until the typed answer is 1 or 2. The
// answer is settled once per run; end of input gives up without changing it, so a
// closed input cannot make the question repeat forever.
#include <cstdio>

#include "console/input.h"
#include "console/print.h"
#include "game/game.h"

namespace {
bool IsSettled(int32_t choice) { return choice == 1 || choice == 2; }
}  // namespace

void OptionsScreen(int32_t& first_player) {
  while (!IsSettled(first_player)) {
    PrintCString(0, "Kto xpdit perBbI ? (1-COMP, 2- USER)", kPrintNewline);
    // A person who ended the input once (Ctrl+Z) may answer on a later visit: the
    // end-of-file mark of the last question must not answer this one too.
    std::clearerr(stdin);
    InputBegin(RtSharedEmpty(), 0, -1);
    if (InputReachedEnd()) return;
    InputInt(&first_player);
  }
}
