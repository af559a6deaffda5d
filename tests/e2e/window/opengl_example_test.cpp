// The OpenGL example program from the outside, under Wine's virtual desktop
// or, for the Linux program, on the test's own X display: its picture against
// the game's own reference board, its keys, the fullscreen switch and its end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <utility>

#include "example_session.h"
#include "game_window.h"
#include "tests/e2e/tools/x11_probe.h"

namespace e2e {
namespace {

// Mesa's software renderer is not built with ThreadSanitizer, which takes its
// rasteriser threads' lock-free hand-overs for races and ends the example:
// under it the example renders on its own thread.
void RenderOnTheProgramsThreadUnderTsan() {
#ifdef TAVREL_E2E_PROGRAM_UNDER_TSAN
  setenv("LP_NUM_THREADS", "0", 1);
#endif
}

class OpenGlExample : public ::testing::Test {
 protected:
  void SetUp() override {
    RenderOnTheProgramsThreadUnderTsan();
    session_ = std::make_unique<ExampleSession>();
    ASSERT_TRUE(session_->Ready()) << session_->Failure() << "\n" << session_->process().Output();
  }
  void Escape() {
    session_->window().Key("Escape");
    auto status = session_->process().WaitExit(Millis(15000));
    ASSERT_TRUE(status.has_value()) << "no exit after Escape";
    EXPECT_EQ(*status, 0);
  }
  static bool Inside(int x, int y, Square s) {
    return std::abs(x - KingX(s)) < 20 && std::abs(y - KingY(s)) < 20;
  }
  std::unique_ptr<ExampleSession> session_;
};

TEST_F(OpenGlExample, GridIsPixelExactAndTheKingASymmetricCircleInItsSquare) {
  const Square king{8, 8};
  Shot shot = session_->window().Grab();
  ASSERT_TRUE(shot.Ok());
  Picture reference = ReferenceBoard(king, {});
  int compared = 0;
  for (int y = 0; y < kClientH; ++y) {
    for (int x = 0; x < kClientW; ++x) {
      if (Inside(x, y, king)) continue;
      ASSERT_EQ(shot.At(x, y), reference.At(x, y)) << "pixel (" << x << ", " << y << ")";
      ++compared;
    }
  }
  EXPECT_GT(compared, kClientW * kClientH - 40 * 40);
  std::set<std::pair<int, int>> circle;  // white pixels relative to the centre
  for (int y = KingY(king) - 19; y <= KingY(king) + 19; ++y) {
    for (int x = KingX(king) - 19; x <= KingX(king) + 19; ++x) {
      if (shot.At(x, y) == kWhite) circle.insert({x - KingX(king), y - KingY(king)});
    }
  }
  ASSERT_GE(circle.size(), 40u) << "a circle of radius 10 has more pixels";
  for (auto [dx, dy] : circle) {
    const int d2 = dx * dx + dy * dy;
    EXPECT_TRUE(d2 >= 81 && d2 <= 121) << dx << ", " << dy << " is off the radius";
    EXPECT_TRUE(circle.count({-dx, dy}) && circle.count({dx, -dy}) && circle.count({dy, dx}))
        << dx << ", " << dy << " has no mirror image";
  }
}

TEST_F(OpenGlExample, KeysMoveTheKingAndMovesOffTheBoardAreIgnored) {
  ExampleSession& s = *session_;
  s.window().Key("1");
  ASSERT_TRUE(s.WaitKing({7, 8}));
  s.window().Key("2");
  ASSERT_TRUE(s.WaitKing({7, 7}));
  s.window().Key("3");
  ASSERT_TRUE(s.WaitKing({6, 6}));
  for (int col = 5; col >= 1; --col) {
    s.window().FastKey("1");
    ASSERT_TRUE(s.WaitKing({col, 6})) << col;
  }
  // On the left edge "1" and "3" leave the king where it is; "2" still moves it.
  s.window().FastKey("1");
  s.window().FastKey("3");
  s.window().FastKey("2");
  ASSERT_TRUE(s.WaitKing({1, 5})) << "the ignored keys must not have moved the king";
  for (int row = 4; row >= 1; --row) {
    s.window().FastKey("2");
    ASSERT_TRUE(s.WaitKing({1, row})) << row;
  }
  s.window().FastKey("2");
  s.window().FastKey("3");
  s.window().FastKey("1");
  s.window().FastKey("x");
  // Give the ignored keys the time of several frames, then look again.
  ASSERT_FALSE(s.WaitKing({2, 2}, Millis(500)));
  EXPECT_EQ(s.KingOnScreen(), std::optional<Square>(Square{1, 1}));
  Escape();
}

// The size of Wine's virtual desktop window on the X screen.
std::pair<int, int> DesktopSize(Display* d) {
  Window w = ProbeFindWindow(d, "Default - Wine desktop");
  int x = 0, y = 0, width = 0, height = 0;
  if (w == 0 || ProbeWindowRect(d, w, &x, &y, &width, &height) != 0) return {0, 0};
  return {width, height};
}

TEST_F(OpenGlExample, AltEnterSwitchesTo640x480FullscreenAndBack) {
  ExampleSession& s = *session_;
  Display* d = s.window().display();
  const auto desktop = DesktopSize(d);
  ASSERT_EQ(desktop, std::make_pair(1024, 768)) << "not in the 1024x768 virtual desktop";
  const auto in_mode = [&](int w, int h) {
    return WaitFor([&] {
      auto info = QueryWindow(kExampleClass);
      return info && info->display_w == w && info->display_h == h && info->client_w == 640 &&
             info->client_h == 480;
    }, Millis(10000), Millis(100));
  };
  s.window().Key("alt+Return");
  ASSERT_TRUE(in_mode(640, 480)) << "no 640x480 display after Alt+Enter";
  ASSERT_TRUE(s.Refind());
  EXPECT_EQ(s.window().Info().screen_x, 0);
  EXPECT_EQ(s.window().Info().screen_y, 0);
  EXPECT_TRUE(s.WaitKing({8, 8})) << "the board is drawn on in fullscreen";

  s.window().Key("alt+Return");
  ASSERT_TRUE(in_mode(1024, 768)) << "no window back after the second Alt+Enter";
  ASSERT_TRUE(s.Refind());
  // Wine reports the window placed before X shows it: focus it once its
  // picture is there.
  ASSERT_TRUE(s.WaitKing({8, 8})) << "the picture is back in the window";
  s.window().Focus();
  s.window().Key("1");
  EXPECT_TRUE(s.WaitKing({7, 8})) << "keys still reach the program";

  // Escape in fullscreen: the desktop gets its own size back.
  s.window().Key("alt+Return");
  ASSERT_TRUE(in_mode(640, 480));
  Escape();
  EXPECT_TRUE(WaitFor([&] { return DesktopSize(d) == desktop; }, Millis(5000)))
      << "desktop left at " << DesktopSize(d).first << "x" << DesktopSize(d).second;
}

// On X fullscreen keeps the display's size: the window covers the screen and
// the picture, still 640x480, is centred on black.
TEST_F(OpenGlExample, AltEnterCoversTheScreenWithThePictureCentredAndBackOnX11) {
  ExampleSession& s = *session_;
  Display* d = s.window().display();
  const auto served = [&](const char* by) {
    return WaitFor([&] {
      auto info = QueryWindow(kExampleClass);
      return info && info->served_by == by;
    }, Millis(10000), Millis(50));
  };
  s.window().Key("alt+Return");
  ASSERT_TRUE(served("fullscreen")) << "the window does not cover the screen after Alt+Enter";
  const int left = (DisplayWidth(d, DefaultScreen(d)) - kClientW) / 2;
  const int top = (DisplayHeight(d, DefaultScreen(d)) - kClientH) / 2;
  const Square king{8, 8};
  ASSERT_TRUE(WaitFor([&] { return ProbePixel(d, left + KingX(king), top + KingY(king) - 10) == kWhite; },
                      Millis(5000)))
      << "no king at the centred picture's place";
  std::vector<uint32_t> shot(kClientW * kClientH);
  ASSERT_EQ(ProbeGrab(d, left, top, kClientW, kClientH, shot.data()), 0);
  const Picture reference = ReferenceBoard(king, {});
  for (int y = 0; y < kClientH; ++y) {
    for (int x = 0; x < kClientW; ++x) {
      if (Inside(x, y, king)) continue;
      ASSERT_EQ(shot[y * kClientW + x], reference.At(x, y)) << "pixel (" << x << ", " << y << ")";
    }
  }
  EXPECT_EQ(ProbePixel(d, left - 1, top + 20), kBlack) << "black around the picture";

  s.window().Key("alt+Return");
  ASSERT_TRUE(served("x11")) << "no window back after the second Alt+Enter";
  ASSERT_TRUE(s.Refind());
  s.window().Focus();
  s.window().Key("1");
  EXPECT_TRUE(s.WaitKing({7, 8})) << "keys still reach the program";
  Escape();
}

// The frames per second the example prints once a second, from the second
// line on (the first second holds the start); waits until there are count.
std::vector<int> FrameRates(WineProcess& program, size_t count) {
  std::vector<int> rates;
  WaitFor([&] {
    rates.clear();
    std::istringstream out(program.Output());
    std::string line;
    for (bool first = true; std::getline(out, line);) {
      if (line.rfind("frames per second: ", 0) != 0) continue;
      if (!first) rates.push_back(std::atoi(line.c_str() + 19));
      first = false;
    }
    return rates.size() >= count;
  }, Millis(15000), Millis(100));
  return rates;
}

// Without Wine's virtual desktop the display reports a refresh rate of 1,
// Windows' "hardware default": the retrace wait must still pace the example
// at a display's rate, and each key must show in the frame after the one it
// arrived in.
TEST(OpenGlExamplePlainDisplay, RetraceWaitPacesAtADisplaysRateAndKeysShowInTheNextFrame) {
  RenderOnTheProgramsThreadUnderTsan();
  ExampleSession s(false, ExampleSession::Desktop::kPlain);
  ASSERT_TRUE(s.Ready()) << s.Failure() << "\n" << s.process().Output();
  const std::vector<int> rates = FrameRates(s.process(), 2);
  ASSERT_GE(rates.size(), 2u) << s.process().Output();
  const int slowest = std::min(rates[0], rates[1]);
  EXPECT_GE(slowest, 30) << s.process().Output();
  // Two frames at most, and the X server's share of showing the picture.
  const double limit_ms = 2 * 1000.0 / std::max(slowest, 1) + 15;
  const std::pair<const char*, Square> moves[] = {{"1", {7, 8}}, {"2", {7, 7}}, {"3", {6, 6}}};
  for (const auto& [key, to] : moves) {
    double ms = 0;
    ASSERT_TRUE(s.TimedKey(key, to, &ms)) << key;
    EXPECT_LE(ms, limit_ms) << key << " at " << slowest << " frames per second";
    std::printf("key %s shown after %.1f ms (limit %.1f)\n", key, ms, limit_ms);
  }
  s.window().Key("Escape");
  auto status = s.process().WaitExit(Millis(15000));
  ASSERT_TRUE(status.has_value()) << "no exit after Escape";
  EXPECT_EQ(*status, 0);
}

}  // namespace
}  // namespace e2e
