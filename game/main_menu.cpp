// The main menu: four items in dark grey, repeated below on every key that is not
// an item, until "1", "2" or "3"; "4" ends the program on the spot.
#include "console/console.h"
#include "console/print.h"
#include "console/runtime.h"
#include "game/game.h"

namespace {

constexpr const char* kMenuItems[] = {"1. game", "2. options", "3. about", "4. exit"};
constexpr int32_t kDarkGrey = 8;
constexpr int32_t kBlack = 0;

void PrintMenuItems() {
  for (const char* item : kMenuItems) {
    SetColor(kDarkGrey, kBlack);
    PrintCString(0, item, kPrintNewline);
  }
}

// Polls without pause: the key wait is a busy loop by design.
void WaitForAnyKey(RtString* key) {
  do {
    RtAssign(key, ReadKey());
  } while (RtLength(key) == 0);
}

bool IsMenuChoice(const RtString* key) {
  return RtEqualsText(key, "1") || RtEqualsText(key, "2") || RtEqualsText(key, "3");
}

}  // namespace

RtString* MainMenu() {
  ClearScreen(kNoArgument);
  Locate(1, 1, -1);
  RtString key{};
  for (;;) {
    PrintMenuItems();
    WaitForAnyKey(&key);
    if (IsMenuChoice(&key)) break;
    if (RtEqualsText(&key, "4")) RuntimeEnd(0);
  }
  RtString* choice = RtTempFromBytes(key.data, RtLength(&key));
  RtClear(&key);
  return choice;
}
