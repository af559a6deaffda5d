// Entry of the console end-to-end tests: moves into a headless console of its own,
// sizes it, then runs the tests against the tavrel.exe named on the command line.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "console_session_win32.h"
#include "e2e_main_win32.h"

namespace e2e {

namespace {
std::wstring tavrel_exe;
// Not 1 more than a multiple of four: the first scroll of the four-line menu then
// moves a row boundary the menu's own period cannot hide.
constexpr short kColumns = 80;
constexpr short kRows = 26;
}  // namespace

const std::wstring& TavrelExe() { return tavrel_exe; }

}  // namespace e2e

int main(int argc, char** argv) {
  int status = 0;
  if (!e2e::RunInHeadlessConsole(&status)) return status;
  testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--tavrel=", 9) == 0) e2e::tavrel_exe = e2e::WindowsPath(argv[i] + 9);
  }
  if (e2e::tavrel_exe.empty()) {
    std::fprintf(stderr, "usage: %s --tavrel=PATH_TO_TAVREL_EXE [gtest options]\n", argv[0]);
    return 2;
  }
  if (!e2e::SetConsoleGeometry(e2e::kColumns, e2e::kRows)) {
    std::fprintf(stderr, "cannot size the console to %dx%d\n", e2e::kColumns, e2e::kRows);
    return 2;
  }
  return RUN_ALL_TESTS();
}
