// A program that changes its caption without pause while the player switches
// its display with Alt+Enter, each switch making the window anew on the
// update thread: the program keeps running, and the caption at the end is the
// last title it set, also in a window made after it.
#include <gtest/gtest.h>

#include "game_console.h"
#include "game_window.h"

namespace e2e {
namespace {

constexpr char kClass[] = "kvgfxclass_title_cycle";

// Alt+Enter, then waits for the window made anew to settle and gives it the
// keyboard. In the virtual desktop the window is drawn in the desktop's X
// window, which takes the focus.
void Switch(GameWindow& window) {
  const auto before = QueryWindow(kClass);
  ASSERT_TRUE(before.has_value());
  window.Key("alt+Return");
  ASSERT_TRUE(WaitFor(
      [&] {
        auto w = QueryWindow(kClass);
        return w && w->handle != before->handle && Settled(*w);
      },
      Millis(10000), Millis(50)))
      << "no window made anew after Alt+Enter";
  ASSERT_TRUE(window.Find(kClass, "Default - Wine desktop", Millis(5000)));
  window.Focus();
}

TEST(WindowTitle, CaptionsSetDuringAltEnterEndWithTheLastTitle) {
  if (NativeProgramUnderTest()) GTEST_SKIP() << "a test of the Windows window layer";
  RestoreDesktopMode();
  WineProcess program(E2eEnv::Get().windows_build + "/tests/e2e/title_cycle.exe", {}, true);
  ASSERT_TRUE(program.WaitOutput("ready", Millis(20000))) << program.Output();
  GameWindow window;
  ASSERT_TRUE(window.Find(kClass, "Default - Wine desktop", Millis(20000)));
  window.Focus();
  for (int i = 0; i < 4; ++i) ASSERT_NO_FATAL_FAILURE(Switch(window)) << "switch " << i + 1;
  program.Send("stop");
  ASSERT_TRUE(program.WaitOutput("last ", Millis(5000))) << program.Output();
  const std::string output = program.Output();
  const size_t at = output.find("last ") + 5;
  const std::string last = output.substr(at, output.find_first_of("\r\n", at) - at);
  for (int i = 0; i < 2; ++i) ASSERT_NO_FATAL_FAILURE(Switch(window)) << "switch after the last title";
  std::string shown;
  EXPECT_TRUE(WaitFor(
      [&] {
        auto w = QueryWindow(kClass);
        shown = w ? w->title : "no window";
        return shown == last;
      },
      Millis(5000)))
      << "the caption is " << shown << ", the last title " << last;
  ASSERT_TRUE(program.Running()) << program.Output();
  program.Send("quit");
  EXPECT_EQ(program.WaitExit(Millis(15000)), std::optional<int>(0));
  RestoreDesktopMode();
}

}  // namespace
}  // namespace e2e
