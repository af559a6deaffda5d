// The console half of a window test: talks to game_driver.exe, which runs
// tavrel.exe in a headless Wine console, so that a test can choose "1" in the
// menu as a player does and later collect the game's exit status.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "wine_process.h"

namespace e2e {

struct ConsoleCell {
  char16_t ch = u' ';
  uint8_t attr = 0;
};
using ConsoleScreen = std::vector<std::vector<ConsoleCell>>;

class GameDriver {
 public:
  // Starts the driver for the given program (tavrel.exe of the windows build
  // when empty).
  explicit GameDriver(const std::string& program = "");
  ~GameDriver();
  // Starts the program in the console; true when it runs.
  bool Start();
  bool WaitText(const std::string& text);
  bool Key(const std::string& key);  // "1", "enter", "esc", "space"
  ConsoleScreen Screen();
  // The program's exit status once it has ended within the time.
  std::optional<int> WaitExit(Millis limit);
  std::string Log() const { return process_.Output(); }

 private:
  // Sends a command and returns its reply lines (without the number).
  std::vector<std::string> Command(const std::string& command, Millis limit = Millis(30000));
  WineProcess process_;
  int next_id_ = 1;
};

}  // namespace e2e
