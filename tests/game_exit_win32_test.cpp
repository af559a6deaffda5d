// The game ends the whole program through the runtime: the screen is closed by
// the at-exit handler (update thread ended, screen saver setting restored,
// class unregistered) and the process exits with status 0 without hanging.
// Each case runs in a child process, since ending is the point; a handler of
// the test's own, registered before the game's, reports after the screen closed.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "game/game.h"
#include "gfx/input/keys_internal.h"
#include "gfx/window/window_state_win32.h"
#include "support/gdi_screen_win32.h"

namespace {

BOOL g_saver_at_start = FALSE;

BOOL ScreenSaverActive() {
  BOOL active = FALSE;
  SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
  return active;
}

void ReportClosedScreen() {
  WNDCLASSA info;
  const bool class_gone =
      !GetClassInfoA(GetModuleHandleA(nullptr), "kvgfxclass_unit_tests", &info);
  std::fprintf(stderr, "saver %s, class %s, thread %s\n",
               ScreenSaverActive() == g_saver_at_start ? "restored" : "changed",
               class_gone ? "gone" : "still registered",
               g_update_thread == nullptr ? "ended" : "left running");
  std::fflush(stderr);
}

void PlayWithQueuedKeys(int32_t who_first, std::initializer_list<int32_t> keys) {
  g_saver_at_start = ScreenSaverActive();
  std::atexit(ReportClosedScreen);
  first_player = who_first;
  for (int32_t code : keys) KeyQueuePut(code);  // the queue outlives screens
  PlayGame();
}

constexpr char kClosedCleanly[] = "saver restored, class gone, thread ended";

class GameExit : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!DisplayAvailable()) GTEST_SKIP() << "no display: Wine cannot create windows here";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
  }
};

TEST_F(GameExit, EscapeWhileAMoveIsAwaitedExitsWithZero) {
  // The start square is random: on the corner itself the computer has won
  // before any move, its message ignores Escape, and the Enter behind it
  // acknowledges the win (without it the game would wait for ever).
  EXPECT_EXIT(PlayWithQueuedKeys(2, {27, 13}), ::testing::ExitedWithCode(0), kClosedCleanly);
}

TEST_F(GameExit, ComputerTurnThenEscapeOrAcknowledgedWinExitsWithZero) {
  // Enter lets the computer move. Then either the user's turn takes Escape, or
  // (start square next to the corner) the win message ignores Escape and the
  // last Enter acknowledges it. Either way the program must end cleanly.
  EXPECT_EXIT(PlayWithQueuedKeys(1, {13, 27, 13}), ::testing::ExitedWithCode(0), kClosedCleanly);
}

}  // namespace
