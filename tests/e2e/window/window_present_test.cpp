// The picture on screen after what makes a window system show stale or torn
// pixels: covered by another window and uncovered, moved, left inactive behind
// another window, and active again; the desktop's display mode changed under
// the window by another program and set back. The game repaints only what it
// must, so the whole picture is compared after each.
#include <gtest/gtest.h>

#include "game_session.h"

namespace e2e {
namespace {

bool Arrange(const std::vector<std::string>& args) {
  int status = -1;
  RunHelper("window_arrange", args, &status);
  return status == 0;
}

TEST(GameWindowPresent, CoveredUncoveredMovedAndInactiveTheWindowShowsTheWholePicture) {
  std::string why_not;
  auto game = StartGameWhere([](Square k) { return k.col + k.row >= 4; }, 20, &why_not);
  ASSERT_TRUE(game) << why_not;
  std::string why;
  ASSERT_TRUE(game->WaitPicture(Millis(3000), &why)) << why;

  // The stand-in opens centred as the game does, with the same client size,
  // over it, and becomes the active window.
  WineProcess fixture(E2eEnv::Get().windows_build + "/tests/e2e/window_fixture.exe", {});
  ASSERT_TRUE(fixture.WaitOutput("ready 1", Millis(20000))) << fixture.Output();
  GameWindow other;
  ASSERT_TRUE(other.Find("kvgfxclass_window_fixture", "window_fixture", Millis(10000)));
  ASSERT_TRUE(other.WaitPixel(200, 105, 0xFFFFFF, Millis(5000)));
  const int dx = other.Info().screen_x - game->window().Info().screen_x;
  const int dy = other.Info().screen_y - game->window().Info().screen_y;
  ASSERT_TRUE(game->window().WaitPixel(dx + 200, dy + 105, 0xFFFFFF, Millis(3000)))
      << "the stand-in does not cover the game";

  ASSERT_TRUE(Arrange({"kvgfxclass_window_fixture", "move", "1000", "740"}));
  EXPECT_TRUE(game->WaitPicture(Millis(5000), &why)) << "uncovered, inactive: " << why;

  ASSERT_TRUE(Arrange({"kvgfxclass_tavrel", "move", "20", "30"}));
  ASSERT_TRUE(WaitFor(
      [&] {
        auto w = QueryWindow("kvgfxclass_tavrel");
        return w && w->screen_x < 100 && w->screen_y < 100;
      },
      Millis(5000)))
      << "the window did not move";
  ASSERT_TRUE(game->window().Find("kvgfxclass_tavrel", "tavrel", Millis(5000)));
  EXPECT_TRUE(game->WaitPicture(Millis(5000), &why)) << "moved: " << why;

  // Active again, it must still follow the game.
  ASSERT_TRUE(Arrange({"kvgfxclass_tavrel", "front"}));
  game->window().Focus();
  EXPECT_TRUE(game->WaitPicture(Millis(5000), &why)) << "active again: " << why;
  for (const char* key : {"1", "2", "3"}) {
    auto to = MoveByKey(game->king(), key);
    if (!to || *to == Square{1, 1}) continue;
    ASSERT_TRUE(game->Move(key, *to)) << "no move after the window was moved";
    ASSERT_TRUE(game->WaitMessage(kCompTurn));
    EXPECT_TRUE(game->WaitPicture(Millis(3000), &why)) << "after a move: " << why;
    break;
  }
  fixture.Kill();
  EXPECT_TRUE(game->WaitPicture(Millis(3000), &why)) << "after the stand-in ended: " << why;
  game->window().Focus();
  ASSERT_TRUE(game->ComputerTurn()) << game->Failure();
  const bool won = game->king() == Square{1, 1};
  EXPECT_EQ(game->Finish(won ? "Return" : "Escape"), std::optional<int>(0));
}

// Another program gives the desktop 16 bits per pixel, a move is played
// meanwhile, and the desktop gets its own mode back; then the same with
// another resolution. DirectX surfaces made for the first mode cannot show
// the second: the display must follow the desktop, not play on blind.
TEST(GameWindowPresent, DesktopModeChangedUnderTheWindowAndBackTheWholePictureFollows) {
  std::string why_not;
  auto game = StartGameWhere([](Square k) { return k.col + k.row >= 4; }, 20, &why_not);
  ASSERT_TRUE(game) << why_not;
  std::string why;
  ASSERT_TRUE(game->WaitPicture(Millis(3000), &why)) << why;
  const std::string key = NonWinningMove(game->king());
  ASSERT_FALSE(key.empty());
  const Square to = *MoveByKey(game->king(), key);

  int status = -1;
  const std::string deep = DisplayMode({"set", "1024", "768", "16"}, &status);
  ASSERT_EQ(status, 0) << deep;
  ASSERT_EQ(deep.rfind("mode 1024 768 16 ", 0), 0u) << deep;
  game->window().Key(key);
  const std::string back = DisplayMode({"restore", "1024", "768"}, &status);
  ASSERT_EQ(status, 0) << back;
  ASSERT_TRUE(game->WaitKing(to)) << "the move played at 16 bits per pixel does not show";
  ASSERT_TRUE(game->Resync());
  EXPECT_TRUE(game->WaitPicture(Millis(5000), &why)) << "after 16 bits per pixel and back: " << why;

  const std::string small = DisplayMode({"set", "800", "600", "32"}, &status);
  ASSERT_EQ(status, 0) << small;
  ASSERT_EQ(small.rfind("mode 800 600 32 ", 0), 0u) << small;
  DisplayMode({"restore", "1024", "768"}, &status);
  ASSERT_EQ(status, 0);
  ASSERT_TRUE(game->window().Find("kvgfxclass_tavrel", "tavrel", Millis(5000)));
  EXPECT_TRUE(game->WaitPicture(Millis(5000), &why)) << "after 800x600 and back: " << why;

  game->window().Focus();
  ASSERT_TRUE(game->ComputerTurn()) << game->Failure();
  const bool won = game->king() == Square{1, 1};
  EXPECT_EQ(game->Finish(won ? "Return" : "Escape"), std::optional<int>(0));
}

}  // namespace
}  // namespace e2e
