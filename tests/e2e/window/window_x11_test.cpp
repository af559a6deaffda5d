// The Linux program's own window behaviour, beside the checks both programs
// share: the close box is a key and the window stays; Alt+Enter covers the
// screen with the picture scaled by the largest whole factor, centred on
// black, and a second one puts the window back. And the reading of tmux's
// captured cells, which the Linux runs rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "game_session.h"
#include "terminal_driver.h"
#include "tests/e2e/tools/x11_probe.h"

namespace e2e {
namespace {

bool NotWon(Square s) { return !(s == Square{1, 1}); }

class GameWindowX11 : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!NativeProgramUnderTest()) GTEST_SKIP() << "the Linux program's window only (TAVREL_E2E_NATIVE)";
    std::string why;
    game_ = StartGameWhere(NotWon, 10, &why);
    ASSERT_TRUE(game_) << why;
  }
  std::unique_ptr<GameSession> game_;
};

TEST_F(GameWindowX11, CloseBoxIsAKeyTheWindowStaysAndEscapeStillEndsTheGame) {
  const WindowInfo before = game_->window().Info();
  for (int i = 0; i < 3; ++i) game_->window().CloseBox();
  game_->window().FastKey("x");  // a key the game passes over, after the requests
  std::string why;
  EXPECT_TRUE(game_->WaitPicture(Millis(3000), &why)) << why;
  auto after = QueryWindow("kvgfxclass_tavrel");
  ASSERT_TRUE(after) << "the window went away after the close requests";
  EXPECT_EQ(after->x_window, before.x_window);
  EXPECT_EQ(after->screen_x, before.screen_x);
  EXPECT_EQ(after->screen_y, before.screen_y);
  EXPECT_EQ(after->client_w, 640);
  EXPECT_EQ(after->client_h, 480);
  ASSERT_TRUE(game_->Running()) << "a close request ended the game";
  EXPECT_EQ(game_->Finish("Escape"), std::optional<int>(0));
}

// The whole screen against the expected picture blown up by `factor` at
// (x0, y0), black around it; the count of differing pixels and the first one.
int ScreenDifferences(Display* d, const Picture& want, int factor, int x0, int y0, int sw, int sh,
                      std::string* first) {
  std::vector<uint32_t> px(static_cast<size_t>(sw) * sh);
  if (ProbeGrab(d, 0, 0, sw, sh, px.data()) != 0) return -1;
  int differ = 0;
  for (int y = 0; y < sh; ++y)
    for (int x = 0; x < sw; ++x) {
      const int px_x = (x - x0) / factor, px_y = (y - y0) / factor;
      const bool inside = x >= x0 && y >= y0 && px_x < kClientW && px_y < kClientH;
      const uint32_t expected = inside ? want.At(px_x, px_y) : kBlack;
      if (px[static_cast<size_t>(y) * sw + x] != expected && differ++ == 0) {
        char where[32];
        std::snprintf(where, sizeof where, "(%d, %d)", x, y);
        *first = where;
      }
    }
  return differ;
}

TEST_F(GameWindowX11, AltEnterFillsTheScreenScaledAndCentredAndTheSecondBringsTheWindowBack) {
  GameSession& game = *game_;
  const WindowInfo before = game.window().Info();
  game.window().Key("alt+Return");
  std::optional<WindowInfo> full;
  ASSERT_TRUE(WaitFor([&] { return (full = QueryWindow("kvgfxclass_tavrel")) && DriverOf(*full) == "fullscreen"; },
                      Millis(5000)))
      << "the window does not cover the screen after Alt+Enter";
  const int sw = full->display_w, sh = full->display_h;
  const int factor = std::max(1, std::min(sw / kClientW, sh / kClientH));
  const int x0 = (sw - kClientW * factor) / 2, y0 = (sh - kClientH * factor) / 2;
  if (sw == 1280 && sh == 1024) {
    EXPECT_EQ(factor, 2);
    EXPECT_EQ(y0, 32);
  }
  const Picture want = ReferenceBoard(game.king(), game.messages());
  Display* d = game.window().display();
  int differ = -1;
  std::string first;
  WaitFor([&] { return (differ = ScreenDifferences(d, want, factor, x0, y0, sw, sh, &first)) == 0; },
          Millis(5000), Millis(50));
  EXPECT_EQ(differ, 0) << "pixels of the scaled screen differ, the first at " << first;

  game.window().Key("alt+Return");
  std::optional<WindowInfo> back;
  ASSERT_TRUE(WaitFor([&] { return (back = QueryWindow("kvgfxclass_tavrel")) && DriverOf(*back) == "x11"; },
                      Millis(5000)))
      << "the window did not come back";
  EXPECT_EQ(back->screen_x, before.screen_x);
  EXPECT_EQ(back->screen_y, before.screen_y);
  EXPECT_EQ(back->client_w, 640);
  EXPECT_EQ(back->client_h, 480);
  std::string why;
  EXPECT_TRUE(game.WaitPicture(Millis(3000), &why)) << why;

  // Play goes on in the window that came back.
  ASSERT_TRUE(game.PlayRound()) << "after the switches: " << game.Failure();
  EXPECT_EQ(game.FinishFromHere(), std::optional<int>(0));
}

TEST(TerminalCapture, ReadsCharactersAndColoursAsConsoleCells) {
  // Dark grey (bright black) "1.", then default "ok", a red-on-blue "я" (UTF-8),
  // colours carried over to the next row, and a reset.
  const std::string pane = "\x1b[90m1.\x1b[39mok\x1b[31;44m\xd1\x8f\nA\x1b[0mB\n";
  ConsoleScreen s = ParseCapturedPane(pane, 6);
  ASSERT_EQ(s.size(), 2u);
  ASSERT_EQ(s[0].size(), 6u);
  EXPECT_EQ(s[0][0].ch, u'1');
  EXPECT_EQ(s[0][0].attr, 0x08);
  EXPECT_EQ(s[0][2].ch, u'o');
  EXPECT_EQ(s[0][2].attr, 0x07);
  EXPECT_EQ(s[0][4].ch, u'\u044F');
  EXPECT_EQ(s[0][4].attr, 0x14);  // console red is 4, blue 1
  EXPECT_EQ(s[0][5].ch, u' ');
  EXPECT_EQ(s[1][0].attr, 0x14);
  EXPECT_EQ(s[1][1].ch, u'B');
  EXPECT_EQ(s[1][1].attr, 0x07);
}

}  // namespace
}  // namespace e2e
