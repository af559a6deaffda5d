// Alt+Enter with the DirectX display in Wine's virtual desktop: the display
// becomes 640x480 (the desktop's X window shrinks to it) with the whole picture
// on it, play goes on there, and the second Alt+Enter brings the window back.
// While another window is active over the fullscreen display the game must not
// draw over it.
#include <gtest/gtest.h>

#include <thread>

#include "game_session.h"

namespace e2e {
namespace {

constexpr int kDesktopW = 1024, kDesktopH = 768;  // the prefix's virtual desktop

// Waits until the game's window is served as `driver` (DriverOf) and records
// it; with focus, gives it the keyboard as a player's click does.
bool WaitServedAs(GameSession& game, const std::string& driver, bool focus = true) {
  std::optional<WindowInfo> w;
  if (!WaitFor(
          [&] {
            w = QueryWindow("kvgfxclass_tavrel");
            return w && Settled(*w) && DriverOf(*w) == driver;
          },
          Millis(10000), Millis(50))) {
    if (w) {
      ADD_FAILURE() << "the window stayed " << w->client_w << "x" << w->client_h << " at " << w->screen_x << ","
                    << w->screen_y << " (style " << std::hex << w->style << std::dec << ") on a " << w->display_w
                    << "x" << w->display_h << " display";
    }
    return false;
  }
  if (!game.window().Find("kvgfxclass_tavrel", "tavrel", Millis(5000))) return false;
  if (focus) game.window().Focus();
  return true;
}

bool WaitDesktop(Display* x, int w, int h) {
  return WaitFor(
      [&] {
        int dw = 0, dh = 0;
        return DesktopSize(x, &dw, &dh) && dw == w && dh == h;
      },
      Millis(10000), Millis(20));
}

// The desktop's size from X, and the mode Windows programs are told of.
std::string DesktopText(Display* x) {
  int w = 0, h = 0, status = -1;
  const std::string mode = DisplayMode({}, &status);
  if (!DesktopSize(x, &w, &h)) return "no desktop window (" + mode + ")";
  return std::to_string(w) + "x" + std::to_string(h) + " (" + mode + ")";
}

// A start from which the user has a move that does not win at once.
bool RoomForAMove(Square k) { return k.col + k.row >= 4; }

class GameWindowFullscreen : public ::testing::Test {
 protected:
  void SetUp() override {
    if (DriverFromEnvironment() != "directx") GTEST_SKIP() << "fullscreen needs the DirectX display";
    std::string why_not;
    game_ = StartGameWhere(RoomForAMove, 20, &why_not);
    ASSERT_TRUE(game_) << why_not;
    x_ = game_->window().display();
    ASSERT_TRUE(WaitDesktop(x_, kDesktopW, kDesktopH)) << "desktop " << DesktopText(x_) << " at the start";
  }
  void EnterFullscreen() {
    game_->window().Key("alt+Return");
    ASSERT_TRUE(WaitServedAs(*game_, "fullscreen")) << "no fullscreen popup after Alt+Enter";
    ASSERT_TRUE(WaitDesktop(x_, 640, 480)) << "the desktop is " << DesktopText(x_) << ", not 640x480";
    EXPECT_EQ(game_->window().Info().client_w, 640);
    EXPECT_EQ(game_->window().Info().client_h, 480);
    std::string why;
    ASSERT_TRUE(game_->WaitPicture(Millis(5000), &why)) << "fullscreen: " << why;
  }
  std::unique_ptr<GameSession> game_;
  Display* x_ = nullptr;
};

TEST_F(GameWindowFullscreen, AltEnterShowsTheWholeGameAt640By480AndTheSecondReturnsToTheWindow) {
  ASSERT_NO_FATAL_FAILURE(EnterFullscreen());
  EXPECT_EQ(game_->window().Info().screen_x, 0);
  EXPECT_EQ(game_->window().Info().screen_y, 0);

  // Keys still play there: a move and the computer's reply.
  const std::string key = NonWinningMove(game_->king());
  ASSERT_FALSE(key.empty());
  ASSERT_TRUE(game_->Move(key, *MoveByKey(game_->king(), key))) << "a move key did nothing fullscreen";
  ASSERT_TRUE(game_->ComputerTurn()) << game_->Failure();
  std::string why;
  EXPECT_TRUE(game_->WaitPicture(Millis(3000), &why)) << "fullscreen after a move: " << why;

  game_->window().Key("alt+Return");
  ASSERT_TRUE(WaitServedAs(*game_, "directx")) << "no DirectX window after the second Alt+Enter";
  EXPECT_TRUE(WaitDesktop(x_, kDesktopW, kDesktopH)) << "the desktop is " << DesktopText(x_);
  EXPECT_EQ(game_->window().Info().client_w, 640);
  EXPECT_EQ(game_->window().Info().client_h, 480);
  EXPECT_TRUE(game_->WaitPicture(Millis(5000), &why)) << "windowed again: " << why;

  const bool won = game_->king() == Square{1, 1};
  EXPECT_EQ(game_->Finish(won ? "Return" : "Escape"), std::optional<int>(0));
  EXPECT_TRUE(WaitDesktop(x_, kDesktopW, kDesktopH)) << "the desktop is " << DesktopText(x_) << " after the end";
}

// The stand-in window, started over the fullscreen display, becomes the active
// one: its own picture must stay untouched (the game converts nothing into the
// display while inactive, though activation marks every row changed), and the
// game's whole picture returns when it is brought forward again. Escape then
// ends the game from fullscreen and the desktop gets its own size back.
TEST_F(GameWindowFullscreen, NothingIsDrawnWhileInactiveAndTheWholePictureReturns) {
  ASSERT_NO_FATAL_FAILURE(EnterFullscreen());
  WineProcess fixture(E2eEnv::Get().windows_build + "/tests/e2e/window_fixture.exe", {});
  ASSERT_TRUE(fixture.WaitOutput("ready 1", Millis(20000))) << fixture.Output();
  GameWindow other;
  ASSERT_TRUE(other.Find("kvgfxclass_window_fixture", "window_fixture", Millis(10000)));
  // The fixture's frame and marker, where they lie on the 640x480 display.
  ASSERT_TRUE(other.WaitPixel(200, 105, 0xFFFFFF, Millis(5000))) << "the fixture's marker is not shown";
  const int left = other.Info().screen_x, top = other.Info().screen_y;
  const int w = std::min(640 - left, 640), h = std::min(480 - top, 480);
  ASSERT_GT(w, 220);
  ASSERT_GT(h, 120);
  Shot first = other.Grab(0, 0, w, h);
  ASSERT_TRUE(first.Ok());
  for (int i = 0; i < 20; ++i) {
    std::this_thread::sleep_for(Millis(50));
    Shot now = other.Grab(0, 0, w, h);
    ASSERT_TRUE(now.Ok());
    ASSERT_EQ(now.px, first.px) << "the picture over the inactive game changed after " << (i + 1) * 50 << " ms";
  }
  EXPECT_EQ(first.At(200, 105), 0xFFFFFFu);
  EXPECT_EQ(first.At(0, 0), 0xFFFFFFu) << "the fixture's frame is not at its client's corner";
  EXPECT_EQ(first.At(100, 105), 0x000000u);

  int status = -1;
  RunHelper("window_arrange", {"kvgfxclass_tavrel", "front"}, &status);
  ASSERT_EQ(status, 0) << "the game could not be brought forward";
  // No click: it would land on the stand-in, which covers the display.
  ASSERT_TRUE(WaitServedAs(*game_, "fullscreen", false));
  ASSERT_TRUE(WaitDesktop(x_, 640, 480)) << "the desktop is " << DesktopText(x_) << " when active again";
  std::string why;
  EXPECT_TRUE(game_->WaitPicture(Millis(5000), &why)) << "active again: " << why;
  fixture.Kill();
  game_->window().Focus();
  EXPECT_EQ(game_->Finish("Escape"), std::optional<int>(0)) << "Escape while fullscreen";
  EXPECT_TRUE(WaitDesktop(x_, kDesktopW, kDesktopH)) << "the desktop is " << DesktopText(x_) << " after the end";
}

}  // namespace
}  // namespace e2e
