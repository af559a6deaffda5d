// The console half of a window test, whichever program is under test: the
// Windows build in a headless Wine console (GameDriver) or the Linux build in
// a terminal of its own (TerminalDriver). A test chooses "1" in the menu
// through it as a player does and later collects the game's exit status.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "wine_process.h"

namespace e2e {

struct ConsoleCell {
  char16_t ch = u' ';
  uint8_t attr = 0;  // console attribute: foreground in the low nibble
};
using ConsoleScreen = std::vector<std::vector<ConsoleCell>>;

class GameConsole {
 public:
  virtual ~GameConsole() = default;
  // Starts the program; true when it runs.
  virtual bool Start() = 0;
  virtual bool WaitText(const std::string& text) = 0;
  // "1", "enter", "esc", "space", "up", "down", "left", "right"
  virtual bool Key(const std::string& key) = 0;
  virtual ConsoleScreen Screen() = 0;
  // The program's exit status once it has ended within the time.
  virtual std::optional<int> WaitExit(Millis limit) = 0;
  // The program's process as the host sees it, for its footprint.
  virtual std::optional<int> ProgramPid() = 0;
  virtual std::string Log() const = 0;
  // Ctrl+C in the program's console, as a player presses it; false when it
  // could not be sent (or this console cannot send it).
  virtual bool CtrlC() { return false; }
};

// True when this run tests the Linux program (E2eEnv::native_program is set).
bool NativeProgramUnderTest();

// The console for the program under test.
std::unique_ptr<GameConsole> MakeGameConsole();
// The same for one of the example programs ("console_demo"), of the platform
// under test.
std::unique_ptr<GameConsole> MakeExampleConsole(const std::string& name);

}  // namespace e2e
