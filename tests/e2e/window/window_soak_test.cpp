// A long run of a player mashing keys into one game: 1,000 random keys (digits,
// arrows, letters; never Escape or Enter, so the game never ends and the same
// process is measured throughout), 20 close requests and 100 Alt+Enter
// switches (fullscreen and back with DirectX, the window made anew with GDI).
// The game must not crash or hang, must still follow a move at the end, and
// its handle count and private bytes must stay within 5% of their values after
// the first switch.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <random>
#include <thread>

#include "game_session.h"

namespace e2e {
namespace {

std::vector<std::string> KeyPool() {
  std::vector<std::string> pool = {"Up", "Down", "Left", "Right"};
  for (char c = '0'; c <= '9'; ++c) pool.emplace_back(1, c);
  for (char c = 'a'; c <= 'z'; ++c) pool.emplace_back(1, c);
  return pool;
}

struct Usage {
  double handles = 0, private_bytes = 0;
};

// The game process's handle count and private bytes, asked from inside Wine.
std::optional<Usage> ProcessUsage() {
  int status = -1;
  std::istringstream out(RunHelper("process_usage", {"kvgfxclass_tavrel"}, &status));
  std::string h, p;
  Usage u;
  if (status != 0 || !(out >> h >> u.handles >> p >> u.private_bytes) || h != "handles") return std::nullopt;
  return u;
}

// The window after an Alt+Enter: a popup when DirectX went fullscreen, else a
// window; found anew and given the focus.
bool FindAfterSwitch(GameSession& game) {
  if (!WaitFor(
          [&] {
            auto w = QueryWindow("kvgfxclass_tavrel");
            return w && w->visible;
          },
          Millis(10000), Millis(20)))
    return false;
  if (!game.window().Find("kvgfxclass_tavrel", "tavrel", Millis(10000))) return false;
  game.window().Focus();
  return true;
}

TEST(GameWindowSoak, RandomKeysCloseRequestsAndAltEnterLeaveTheGamePlayableWithoutLeaks) {
  const auto pool = KeyPool();
  std::mt19937 rng(20261207);
  std::uniform_int_distribution<size_t> pick(0, pool.size() - 1);
  std::string why_not;
  auto game = StartGameWhere([](Square k) { return !(k == Square{1, 1}); }, 10, &why_not);
  ASSERT_TRUE(game) << why_not;
  int closes = 0, switches = 0;
  std::optional<Usage> first;
  for (int i = 1; i <= 1000; ++i) {
    game->window().FastKey(pool[pick(rng)]);
    std::this_thread::sleep_for(Millis(3));
    if (i % 50 == 0) {
      game->window().CloseBox();
      ++closes;
    }
    if (i % 10 == 5) {
      game->window().FastKey("alt+Return");
      ++switches;
      // The window is made anew: find it and give it the focus again.
      ASSERT_TRUE(FindAfterSwitch(*game)) << "window lost after Alt+Enter number " << switches;
      if (switches == 1) {
        first = ProcessUsage();
        ASSERT_TRUE(first) << "no handle count or private bytes for the game";
      }
    }
    if (i % 100 == 0) {
      ASSERT_TRUE(game->Running()) << "the game ended after " << i << " keys";
    }
  }
  EXPECT_EQ(closes, 20);
  EXPECT_EQ(switches, 100);
  // Back in the window it started in (an even number of switches).
  ASSERT_TRUE(WaitFor(
      [&] {
        auto w = QueryWindow("kvgfxclass_tavrel");
        return w && w->visible && DriverOf(*w) == game->driver();
      },
      Millis(10000)))
      << "not back in the " << game->driver() << " window";
  ASSERT_TRUE(FindAfterSwitch(*game));
  const std::optional<Usage> last = ProcessUsage();
  ASSERT_TRUE(last);
  std::printf("soak (%s): handles %.0f -> %.0f, private bytes %.0f -> %.0f\n", game->driver().c_str(),
              first->handles, last->handles, first->private_bytes, last->private_bytes);
  RecordProperty("handles_after_first_switch", static_cast<int>(first->handles));
  RecordProperty("handles_after_soak", static_cast<int>(last->handles));
  RecordProperty("private_bytes_after_first_switch", std::to_string(first->private_bytes));
  RecordProperty("private_bytes_after_soak", std::to_string(last->private_bytes));
  EXPECT_LE(std::abs(last->handles - first->handles), 0.05 * first->handles) << "handles leak";
  EXPECT_LE(std::abs(last->private_bytes - first->private_bytes), 0.05 * first->private_bytes)
      << "memory leak";

  // Still alive: the screen shows one king and a known message, the queue
  // still delivers, and the picture still follows the game.
  ASSERT_TRUE(WaitFor([&] { return game->Resync(); }, Millis(5000))) << "board or row 1 unreadable after the soak";
  const std::string state = game->messages().back();
  if (state == kUserWins) {
    EXPECT_EQ(game->Finish("Return"), std::optional<int>(0));
    return;
  }
  if (state == kCompTurn) {
    game->window().Key("Return");
    const Square reply = ComputerReply(game->king());
    ASSERT_TRUE(game->WaitKing(reply)) << "Enter no longer reaches the game";
    if (reply == Square{1, 1}) {
      EXPECT_EQ(game->Finish("Return"), std::optional<int>(0));
      return;
    }
    ASSERT_TRUE(game->Resync());
  }
  const Square from = game->king();
  for (const char* key : {"1", "2", "3"}) {
    if (auto to = MoveByKey(from, key)) {
      EXPECT_TRUE(game->Move(key, *to)) << "a legal move no longer moves the king";
      break;
    }
  }
  std::string why;
  EXPECT_TRUE(game->WaitPicture(Millis(3000), &why)) << why;
}

}  // namespace
}  // namespace e2e
