// The game on a 200% display (192 DPI), played to its end through the window as
// a player plays it: the window scales itself by 2, every framebuffer pixel a
// solid 2x2 block, compared through the factor with the project's own drawing.
// ctest gives it the dense display: under Wine a prefix whose LogPixels is
// 192 on a 1600x1200 virtual desktop, for the Linux program Xft.dpi on its X
// display; TAVREL_E2E_DPI says so.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdlib>
#include <cstring>

#include "game_session.h"
#include "tests/e2e/tools/x11_probe.h"

namespace e2e {
namespace {

// The desktop's density as X resources give it to X programs.
void SetXftDpi(const char* dpi) {
  Display* d = ProbeOpen();
  ASSERT_NE(d, nullptr);
  const std::string resources = std::string("Xft.dpi:\t") + dpi + "\n";
  XChangeProperty(d, DefaultRootWindow(d), XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(resources.c_str()),
                  static_cast<int>(resources.size()));
  XSync(d, False);
  XCloseDisplay(d);
}

TEST(GameWindowHiDpi, ScalesTheWindowByTwoIn2x2BlocksAndPlaysAWholeGame) {
  const char* dpi = std::getenv("TAVREL_E2E_DPI");
  if (dpi == nullptr || std::strcmp(dpi, "192") != 0) {
    GTEST_SKIP() << "needs the 192 DPI display that ctest sets up (TAVREL_E2E_DPI=192)";
  }
  if (NativeProgramUnderTest()) {
    ASSERT_NO_FATAL_FAILURE(SetXftDpi(dpi));
  }
  std::string why_not;
  // Room for a few rounds before the corner.
  auto game = StartGameWhere([](Square k) { return k.col + k.row >= 7; }, 20, &why_not);
  ASSERT_TRUE(game) << why_not;
  const WindowInfo& info = game->window().Info();
  EXPECT_EQ(game->driver(), DriverFromEnvironment());
  ASSERT_EQ(info.client_w, 1280);
  ASSERT_EQ(info.client_h, 960);
  ASSERT_EQ(game->window().Scale(), 2);
  std::string why;
  // The whole client area: each 2x2 block of one colour, and that colour the
  // expected picture's (a smoothed or shifted picture has mixed blocks).
  ASSERT_TRUE(game->WaitPicture(Millis(3000), &why)) << why;
  int rounds = 0;
  while (!(game->king() == Square{1, 1})) {
    ASSERT_TRUE(game->PlayRound()) << game->Failure();
    ++rounds;
    ASSERT_TRUE(game->WaitPicture(Millis(3000), &why)) << "after round " << rounds << ": " << why;
  }
  EXPECT_GE(rounds, 2);
  EXPECT_EQ(game->Finish("Return"), std::optional<int>(0));
}

}  // namespace
}  // namespace e2e
