// Checks the window test harness on a stand-in window whose picture and
// behaviour are known: if these fail, the game's window tests cannot be
// trusted either.
#include <gtest/gtest.h>

#include "game_window.h"

namespace e2e {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

class WindowHarness : public ::testing::Test {
 protected:
  void SetUp() override {
    fixture_ = std::make_unique<WineProcess>(
        E2eEnv::Get().windows_build + "/tests/e2e/window_fixture.exe", std::vector<std::string>{});
    ASSERT_TRUE(fixture_->WaitOutput("ready 1", Millis(20000))) << fixture_->Output();
    ASSERT_TRUE(window_.Find("kvgfxclass_window_fixture", "window_fixture", Millis(10000)));
    window_.Focus();
  }
  void TearDown() override {
    if (fixture_) fixture_->Kill();
  }
  std::unique_ptr<WineProcess> fixture_;
  GameWindow window_;
};

TEST_F(WindowHarness, LocatesTheClientAreaPixelExactly) {
  const WindowInfo& info = window_.Info();
  EXPECT_EQ(info.title, "window_fixture");
  EXPECT_EQ(info.client_w, 640);
  EXPECT_EQ(info.client_h, 480);
  EXPECT_NE(window_.XWindow(), 0u) << "no X window named window_fixture";
  // The fixture frames its client area with one white pixel: the grab must
  // start exactly on that frame, not on the window's border or one pixel in.
  ASSERT_TRUE(window_.WaitPixel(0, 0, kWhite, Millis(5000)));
  Shot s = window_.Grab(-1, -1, 642, 482);
  ASSERT_TRUE(s.Ok());
  for (int x = 1; x <= 640; ++x) {
    ASSERT_EQ(s.At(x, 1), kWhite) << "top edge at x " << x - 1;
    ASSERT_EQ(s.At(x, 480), kWhite) << "bottom edge at x " << x - 1;
    ASSERT_NE(s.At(x, 0), kBlack) << "picture starts above the client area";
  }
  for (int y = 1; y <= 480; ++y) {
    ASSERT_EQ(s.At(1, y), kWhite);
    ASSERT_EQ(s.At(640, y), kWhite);
  }
  // The grab starts one pixel up and left of the client area.
  EXPECT_EQ(s.At(1 + 1, 1 + 1), kBlack);
  EXPECT_EQ(s.At(1 + 200, 1 + 105), kWhite);  // marker at column 5: x 200..209
  EXPECT_EQ(s.At(1 + 199, 1 + 105), kBlack);
  EXPECT_EQ(s.At(1 + 210, 1 + 105), kBlack);
}

TEST_F(WindowHarness, KeysReachTheWindowAndCloseRequestsDoNotCloseIt) {
  ASSERT_TRUE(window_.WaitPixel(200, 105, kWhite, Millis(5000)));
  window_.Key("1");
  EXPECT_TRUE(window_.WaitPixel(160, 105, kWhite, Millis(3000)));
  EXPECT_EQ(window_.Pixel(200, 105), kBlack);
  EXPECT_TRUE(fixture_->WaitOutput("key 49", Millis(1000)));

  window_.CloseBox();
  ASSERT_TRUE(fixture_->WaitOutput("close 1", Millis(3000))) << fixture_->Output();
  window_.FastKey("1");
  EXPECT_TRUE(window_.WaitPixel(120, 105, kWhite, Millis(3000))) << "window stopped answering";

  window_.Key("Escape");
  auto status = fixture_->WaitExit(Millis(10000));
  ASSERT_TRUE(status.has_value()) << "no exit after Escape";
  EXPECT_EQ(*status, 0);
}

}  // namespace
}  // namespace e2e
