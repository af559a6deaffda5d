// Checks the console half of the window tests on Wine's own command prompt: the
// driver must start a program in its console, see its text, type into it and
// report how it ended.
#include <gtest/gtest.h>

#include "game_driver.h"

namespace e2e {
namespace {

TEST(GameDriverHarness, TypesIntoAConsoleProgramAndCollectsItsStatus) {
  GameDriver driver("C:\\windows\\system32\\cmd.exe");
  ASSERT_TRUE(driver.Start()) << driver.Log();
  ASSERT_TRUE(driver.WaitText(":\\")) << driver.Log();
  for (const char* key : {"e", "x", "i", "t", "space", "7", "enter"}) ASSERT_TRUE(driver.Key(key));
  auto status = driver.WaitExit(Millis(10000));
  ASSERT_TRUE(status.has_value()) << driver.Log();
  EXPECT_EQ(*status, 7);
  ConsoleScreen screen = driver.Screen();
  ASSERT_EQ(screen.size(), 25u);
  ASSERT_EQ(screen[0].size(), 80u);
  bool typed_line_seen = false;
  for (const auto& row : screen) {
    std::u16string text;
    for (const auto& c : row) text += c.ch;
    typed_line_seen |= text.find(u">exit 7") != std::u16string::npos;
  }
  EXPECT_TRUE(typed_line_seen) << "the typed command is not on the screen";
}

}  // namespace
}  // namespace e2e
