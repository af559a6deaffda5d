// A program for the window tests that changes its caption without pause while
// the test switches the display with Alt+Enter: it opens the game's screen
// (mode 12, the driver KVGFX names or the first that starts), prints "ready",
// sets the titles "title_cycle_1", "title_cycle_2", ... a millisecond apart
// until the line "stop" arrives on standard input, prints "last TITLE", and
// keeps the screen open until "quit" (exit status 0).
//   title_cycle
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <iostream>
#include <string>
#include <thread>

#include "console/runtime.h"
#include "gfx/screen.h"

int main(int argc, char** argv) {
  RuntimeInit(argc, argv);
  if (ScreenSetMode(12, 8, 0, 0, 0) != 0) {
    std::puts("no screen");
    return 3;
  }
  std::atomic<bool> stop{false}, quit{false};
  std::thread commands([&] {
    for (std::string line; std::getline(std::cin, line) && line != "quit";) stop = stop || line == "stop";
    stop = quit = true;
  });
  std::puts("ready");
  std::fflush(stdout);
  char title[64] = "title_cycle";
  for (int n = 1; !stop; ++n) {
    std::snprintf(title, sizeof title, "title_cycle_%d", n);
    ScreenSetTitle(title);
    Sleep(1);
  }
  std::printf("last %s\n", title);
  std::fflush(stdout);
  while (!quit) Sleep(10);
  commands.join();
  RuntimeEnd(0);
}
