// The platform's start on Windows: the game's texts are code page 866 bytes, so
// the console shows them in that code page while the program runs. The code
// page found at start is put back on every way out: exit (RuntimeEnd or return
// from main) through the at-exit list, Ctrl+C, Ctrl+Break and closing the
// console window through a console control handler.
#include <windows.h>

#include <cstdlib>

#include "console/runtime_platform.h"

namespace {

constexpr UINT kGameCodePage = 866;
UINT g_saved_code_page = 0;  // 0: nothing to restore

void RestoreCodePage() {
  UINT saved = g_saved_code_page;
  if (saved == 0) return;
  g_saved_code_page = 0;
  SetConsoleOutputCP(saved);
}

BOOL WINAPI OnConsoleControl(DWORD) {
  RestoreCodePage();
  return FALSE;  // let the default handler end the process
}

}  // namespace

void PlatformRuntimeStart() {
  UINT current = GetConsoleOutputCP();
  if (current == 0 || current == kGameCodePage) return;  // no console, or nothing to change
  if (!SetConsoleOutputCP(kGameCodePage)) return;
  g_saved_code_page = current;
  std::atexit(RestoreCodePage);
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}
