// The real game under Wine, played through its window as a player plays it:
// the menu's "1" typed into the console, then keys pressed with xdotool and the
// picture read back from the X screen and compared, pixel by pixel, with what
// the project's own drawing code draws.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include "game_session.h"
#include "tests/e2e/tools/x11_probe.h"

namespace e2e {
namespace {

std::string Where(Square s) {
  return "(" + std::to_string(s.col) + ", " + std::to_string(s.row) + ")";
}

bool NotWon(Square s) { return !(s == Square{1, 1}); }

TEST(GameWindow, OpensA640By480WindowWithTheExactBoardKingAndPrompt) {
  std::string why_not;
  auto started = StartGameWhere(NotWon, 10, &why_not);
  ASSERT_TRUE(started) << why_not;
  GameSession& game = *started;
  const WindowInfo& info = game.window().Info();
  EXPECT_EQ(info.title, "tavrel");
  EXPECT_EQ(game.driver(), DriverFromEnvironment());
  EXPECT_EQ(info.client_w, 640);
  EXPECT_EQ(info.client_h, 480);

  // The grid: 18 white lines from 20 to 340, 40 apart; inside the board only
  // the lines and the king's circle are white (the prompt's cells, at the top
  // left, are checked with the whole picture below).
  Shot board = game.window().Grab(0, 0, 361, 361);
  ASSERT_TRUE(board.Ok());
  const auto circle = KingCirclePixels();
  const Square king = game.king();
  int line_pixels = 0;
  for (int y = 0; y <= 360; ++y)
    for (int x = 0; x <= 360; ++x) {
      if (y < 16 && x < 8 * 26) continue;
      const bool on_grid =
          (x >= 20 && x <= 340 && y >= 20 && y <= 340) && ((x - 20) % 40 == 0 || (y - 20) % 40 == 0);
      const bool on_king = circle.count({x - KingX(king), y - KingY(king)}) > 0;
      const uint32_t want = on_grid || on_king ? kWhite : kBlack;
      ASSERT_EQ(board.At(x, y), want) << "pixel (" << x << ", " << y << ") with the king on " << Where(king);
      line_pixels += on_grid;
    }
  EXPECT_EQ(line_pixels, 9 * 321 * 2 - 81);

  // The king: the 56 pixels of a radius-10 circle around (40 col, 360 - 40 row).
  ASSERT_EQ(circle.size(), 56u);
  for (int dx = -2; dx <= 2; ++dx) {
    EXPECT_TRUE(circle.count({dx, -10}) && circle.count({dx, 10})) << "top/bottom row at dx " << dx;
  }
  for (int dy : {-2, -1, 0, 1, 2}) EXPECT_TRUE(circle.count({-10, dy}) && circle.count({10, dy}));
  EXPECT_TRUE(circle.count({7, 7}) && circle.count({-7, -7}) && circle.count({7, -7}) && circle.count({-7, 7}));
  EXPECT_FALSE(circle.count({0, 0}));

  // Everything, the prompt in the 16-row font included, as the project draws it.
  std::string why;
  EXPECT_TRUE(game.WaitPicture(Millis(3000), &why)) << why;
  EXPECT_EQ(game.messages().back(), kUserTurn);
  EXPECT_EQ(game.Finish("Escape"), std::optional<int>(0)) << "Escape while a move is awaited";
}

// Plays three rounds: before each legal move the keys that would leave the
// board and a close request, which must change nothing; then the computer's
// reply by its parity rule after "COMP (press enter)" (where Escape is
// ignored) and Enter.
TEST(GameWindow, MovesByDigitsIgnoresIllegalKeysAndCloseAndFollowsTheComputerRule) {
  std::string why_not;
  // On the left or bottom edge, so that some digits are illegal at once, and
  // with room for a few moves.
  auto game = StartGameWhere(
      [](Square k) { return (k.col == 1 || k.row == 1) && k.col + k.row >= 4; }, 40, &why_not);
  ASSERT_TRUE(game) << why_not;
  int illegal_keys = 0;
  const char* keys[] = {"1", "2", "3"};
  for (int round = 0; round < 3 && game->king().col + game->king().row > 3; ++round) {
    const Square from = game->king();
    for (const char* bad : keys) {
      if (MoveByKey(from, bad)) continue;
      game->window().Key(bad);
      ++illegal_keys;
    }
    game->window().CloseBox();
    std::string key;
    for (int i = 0; i < 3 && key.empty(); ++i) {
      const char* k = keys[(round + i) % 3];
      auto to = MoveByKey(from, k);
      if (to && !(*to == Square{1, 1})) key = k;
    }
    ASSERT_FALSE(key.empty()) << "no move from " << Where(from);
    const Square to = *MoveByKey(from, key);
    ASSERT_TRUE(game->Move(key, to)) << "key " << key << " from " << Where(from) << " should reach "
                                     << Where(to) << "; the screen shows "
                                     << (game->KingOnScreen() ? Where(*game->KingOnScreen()) : "no single king");
    if (round == 0) {
      // Escape while "COMP (press enter)" waits is ignored: the game must
      // still be there for the Enter that lets the computer move.
      ASSERT_TRUE(game->WaitMessage(kCompTurn));
      game->window().Key("Escape");
    }
    ASSERT_TRUE(game->ComputerTurn()) << game->Failure();
    if (game->king() == Square{1, 1}) break;
    std::string why;
    ASSERT_TRUE(game->WaitPicture(Millis(3000), &why)) << why;
  }
  EXPECT_GE(illegal_keys, 2);
  if (game->king() == Square{1, 1}) {
    EXPECT_EQ(game->Finish("Return"), std::optional<int>(0));
  } else {
    EXPECT_EQ(game->Finish("Escape"), std::optional<int>(0));
  }
}

// Alt+Enter asks for fullscreen, which the GDI window cannot give: the window
// is destroyed and made again, windowed, with the whole picture, and play goes
// on. (DirectX gives it: see the fullscreen tests.)
TEST(GameWindow, AltEnterRecreatesTheWindowWithTheWholePicture) {
  if (DriverFromEnvironment() != "gdi") GTEST_SKIP() << "GDI only: DirectX switches to fullscreen";
  std::string why_not;
  auto started = StartGameWhere(NotWon, 10, &why_not);
  ASSERT_TRUE(started) << why_not;
  GameSession& game = *started;
  Display* x = game.window().display();
  const Window before = game.window().XWindow();
  ASSERT_NE(before, 0u);
  const WindowInfo old_info = game.window().Info();
  game.window().Key("alt+Return");
  ASSERT_TRUE(WaitFor(
      [&] {
        Window now = ProbeFindWindow(x, "tavrel");
        return now != 0 && now != before;
      },
      Millis(5000)))
      << "the window was not made anew";
  int wx, wy, ww, wh;
  EXPECT_NE(ProbeWindowRect(x, before, &wx, &wy, &ww, &wh), 0) << "the old window still exists";
  ASSERT_TRUE(game.window().Find("kvgfxclass_tavrel", "tavrel", Millis(5000)));
  EXPECT_EQ(game.window().Info().client_w, 640);
  EXPECT_EQ(game.window().Info().client_h, 480);
  EXPECT_EQ(game.window().Info().screen_x, old_info.screen_x) << "not back at the same place";
  EXPECT_EQ(game.window().Info().screen_y, old_info.screen_y);
  std::string why;
  EXPECT_TRUE(game.WaitPicture(Millis(3000), &why)) << why;

  game.window().Focus();
  ASSERT_TRUE(game.PlayRound()) << "after the switch: " << game.Failure();
  EXPECT_EQ(game.FinishFromHere(), std::optional<int>(0));
}

// The user avoids the both-odd squares, so the computer, always moving onto
// one, reaches (1, 1): "COMP VIN!!!!" over "COMP (press enter)", whose last six
// characters stay visible.
TEST(GameWindow, ComputerWinsAFullGame) {
  std::string why_not;
  // On an edge, an even square next to the corner's line leaves the user only a
  // move onto a both-odd square ((4, 1) only to (3, 1)), after which the user
  // wins; (1, 1) is won before play. Every other start lets the user avoid them.
  auto game = StartGameWhere(
      [](Square k) {
        const bool forced_on_bottom = k.row == 1 && k.col % 2 == 0;
        const bool forced_on_left = k.col == 1 && k.row % 2 == 0;
        return !forced_on_bottom && !forced_on_left && !(k == Square{1, 1});
      },
      10, &why_not);
  ASSERT_TRUE(game) << why_not;
  while (!(game->king() == Square{1, 1})) {
    const Square from = game->king();
    std::string key;
    for (const char* k : {"2", "1", "3"}) {
      auto to = MoveByKey(from, k);
      if (to && !(to->col % 2 == 1 && to->row % 2 == 1) && key.empty()) key = k;
    }
    ASSERT_FALSE(key.empty()) << "no losing move from " << Where(from);
    ASSERT_TRUE(game->Move(key, *MoveByKey(from, key))) << "key " << key << " from " << Where(from);
    ASSERT_TRUE(game->ComputerTurn()) << game->Failure();
  }
  Shot row = game->window().Grab(0, 0, 8 * 18, 16);
  Picture tail = ReferenceBoard(game->king(), {kCompTurn});
  for (int y = 0; y < 16; ++y)
    for (int x = 8 * 12; x < 8 * 18; ++x)
      ASSERT_EQ(row.At(x, y), tail.At(x, y)) << "\"enter)\" is not left visible at (" << x << ", " << y << ")";
  std::string why;
  EXPECT_TRUE(game->WaitPicture(Millis(3000), &why)) << why;
  EXPECT_EQ(game->Finish("Return"), std::optional<int>(0));
}

// The user moves onto a both-odd square every time, which wins against the
// computer's rule whenever the start square is not both-odd itself.
TEST(GameWindow, PlayerWinsAFullGameWithTheBothOddStrategy) {
  std::string why_not;
  auto game = StartGameWhere([](Square k) { return k.col % 2 == 0 || k.row % 2 == 0; }, 12, &why_not);
  ASSERT_TRUE(game) << why_not;
  for (;;) {
    const Square from = game->king();
    const std::string key = from.col % 2 == 0 && from.row % 2 == 0 ? "3" : from.col % 2 == 0 ? "1" : "2";
    const Square to = *MoveByKey(from, key);
    ASSERT_TRUE(game->Move(key, to)) << "key " << key << " from " << Where(from);
    if (to == Square{1, 1}) break;
    ASSERT_TRUE(game->ComputerTurn()) << game->Failure();
    ASSERT_NE(game->king(), (Square{1, 1})) << "the computer won against the both-odd strategy";
  }
  ASSERT_TRUE(game->WaitMessage(kUserWins)) << "no \"USER VIN!!!!\"";
  std::string why;
  EXPECT_TRUE(game->WaitPicture(Millis(3000), &why)) << why;
  EXPECT_EQ(game->Finish("Return"), std::optional<int>(0));
}

}  // namespace
}  // namespace e2e
