// Which program the window tests play (see game_console.h).
#include "game_console.h"

#include "game_driver.h"
#include "terminal_driver.h"

namespace e2e {

bool NativeProgramUnderTest() { return !E2eEnv::Get().native_program.empty(); }

std::unique_ptr<GameConsole> MakeGameConsole() {
  if (NativeProgramUnderTest()) return std::make_unique<TerminalDriver>(E2eEnv::Get().native_program);
  return std::make_unique<GameDriver>();
}

std::unique_ptr<GameConsole> MakeExampleConsole(const std::string& name) {
  if (NativeProgramUnderTest()) return std::make_unique<TerminalDriver>(E2eEnv::Get().native_examples + "/" + name);
  return std::make_unique<GameDriver>(E2eEnv::Get().windows_build + "/" + name + ".exe");
}

}  // namespace e2e
