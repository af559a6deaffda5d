// The console half of a window test for the Windows program: talks to
// game_driver.exe, which runs tavrel.exe in a headless Wine console.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "game_console.h"
#include "wine_process.h"

namespace e2e {

class GameDriver : public GameConsole {
 public:
  // Starts the driver for the given program (tavrel.exe of the windows build
  // when empty).
  explicit GameDriver(const std::string& program = "");
  ~GameDriver() override;
  bool Start() override;
  bool WaitText(const std::string& text) override;
  bool Key(const std::string& key) override;
  ConsoleScreen Screen() override;
  std::optional<int> WaitExit(Millis limit) override;
  // The one tavrel.exe of this run's prefix.
  std::optional<int> ProgramPid() override;
  std::string Log() const override { return process_.Output(); }
  bool CtrlC() override;

 private:
  // Sends a command and returns its reply lines (without the number).
  std::vector<std::string> Command(const std::string& command, Millis limit = Millis(30000));
  WineProcess process_;
  int next_id_ = 1;
};

}  // namespace e2e
