// The game's texts are code page 866 bytes. Show them as such on any console and
// give the console its own code page back when the program ends.
#include <windows.h>

#include <cstdlib>

#include "game/game.h"

namespace {

constexpr UINT kGameCodePage = 866;
UINT previous_code_page = 0;

void RestoreCodePage() {
  if (previous_code_page != 0) SetConsoleOutputCP(previous_code_page);
}

}  // namespace

void UseGameCodePage() {
  const UINT current = GetConsoleOutputCP();
  if (current == 0 || current == kGameCodePage) return;  // no console, or nothing to do
  if (!SetConsoleOutputCP(kGameCodePage)) return;
  previous_code_page = current;
  std::atexit(RestoreCodePage);
}
