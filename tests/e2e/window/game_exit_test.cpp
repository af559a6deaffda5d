// What the game leaves behind in the user's session when it is ended from its
// console rather than from its window: the screen saver setting it switches off
// while its window is open is the user's again.
#include <gtest/gtest.h>

#include "game_session.h"

namespace e2e {
namespace {

// The session's screen saver setting as Wine's programs see it, after setting
// it when a value is given: "screensaver 0" or "screensaver 1".
std::string ScreenSaver(const std::string& set = "") {
  std::vector<std::string> args{"--screensaver"};
  if (!set.empty()) args.push_back(set);
  int status = -1;
  std::string line = RunHelper("window_query", args, &status);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return status == 0 ? line : "window_query failed: " + line;
}

TEST(GameExit, CtrlCInTheConsoleGivesTheScreenSaverBack) {
  if (NativeProgramUnderTest()) GTEST_SKIP() << "the screen saver setting is the Windows program's";
  ASSERT_EQ(ScreenSaver("1"), "screensaver 1");
  GameSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure() << "\n" << session.console().Log();
  ASSERT_EQ(ScreenSaver(), "screensaver 0") << "the open window switches the screen saver off";
  ASSERT_TRUE(session.console().CtrlC());
  ASSERT_TRUE(session.console().WaitExit(Millis(10000)).has_value()) << "Ctrl+C did not end the game";
  EXPECT_EQ(ScreenSaver(), "screensaver 1");
}

}  // namespace
}  // namespace e2e
