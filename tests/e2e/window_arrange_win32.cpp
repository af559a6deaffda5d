// Moves or brings forward a program's window, found by class name, as another
// program or the player would: the window tests check that the picture
// follows a move and comes back when the window is active again.
//   window_arrange CLASS_NAME move X Y   top-left outer corner to (X, Y), same
//                                        size, not activated
//   window_arrange CLASS_NAME front      restored and made the foreground window
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool Move(HWND window, int x, int y) {
  return SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != 0;
}

bool Front(HWND window) {
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  return SetForegroundWindow(window) != 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool move = argc == 5 && std::strcmp(argv[2], "move") == 0;
  const bool front = argc == 3 && std::strcmp(argv[2], "front") == 0;
  if (!move && !front) {
    std::fprintf(stderr, "usage: window_arrange CLASS_NAME move X Y | window_arrange CLASS_NAME front\n");
    return 2;
  }
  HWND window = FindWindowA(argv[1], nullptr);
  if (window == nullptr) {
    std::printf("none\n");
    return 1;
  }
  const bool done = move ? Move(window, std::atoi(argv[3]), std::atoi(argv[4])) : Front(window);
  if (!done) {
    std::printf("failed %lu\n", GetLastError());
    return 1;
  }
  std::printf("done\n");
  return 0;
}
