// A long run of a player mashing keys: 1,000 random keys (digits, Enter,
// arrows, letters; never Escape), 20 close requests and 20 Alt+Enter switches
// into the real game window. Games that end on their own must end with status
// 0 and are started again; at the end the picture must still follow a move.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <thread>

#include "game_session.h"

namespace e2e {
namespace {

std::vector<std::string> KeyPool() {
  std::vector<std::string> pool = {"Return", "Up", "Down", "Left", "Right"};
  for (char c = '0'; c <= '9'; ++c) pool.emplace_back(1, c);
  for (char c = 'a'; c <= 'z'; ++c) pool.emplace_back(1, c);
  return pool;
}

// A game that is not over: a new one when the last has ended (with status 0).
void KeepGameGoing(std::unique_ptr<GameSession>& game, int* games) {
  if (game && game->Running()) return;
  if (game) {
    auto status = game->console().WaitExit(Millis(0));
    ASSERT_EQ(status, std::optional<int>(0)) << "a game ended with another status";
  }
  game = std::make_unique<GameSession>();
  ASSERT_TRUE(game->Ready()) << game->Failure();
  ++*games;
}

TEST(GameWindowSoak, RandomKeysCloseRequestsAndAltEnterLeaveTheGamePlayable) {
  const auto pool = KeyPool();
  std::mt19937 rng(20261207);
  std::uniform_int_distribution<size_t> pick(0, pool.size() - 1);
  std::unique_ptr<GameSession> game;
  int games = 0, closes = 0, switches = 0;
  ASSERT_NO_FATAL_FAILURE(KeepGameGoing(game, &games));
  for (int i = 1; i <= 1000; ++i) {
    game->window().FastKey(pool[pick(rng)]);
    std::this_thread::sleep_for(Millis(3));
    if (i % 50 == 0) {
      game->window().CloseBox();
      ++closes;
    }
    if (i % 50 == 25) {
      game->window().FastKey("alt+Return");
      ++switches;
      // The window is made anew: find it and give it the focus again.
      ASSERT_TRUE(game->window().Find("kvgfxclass_tavrel", "tavrel", Millis(10000)) || !game->Running())
          << "window lost after Alt+Enter number " << switches;
      game->window().Focus();
    }
    if (i % 10 == 0) {
      ASSERT_NO_FATAL_FAILURE(KeepGameGoing(game, &games));
    }
  }
  EXPECT_EQ(closes, 20);
  EXPECT_EQ(switches, 20);
  ASSERT_NO_FATAL_FAILURE(KeepGameGoing(game, &games));
  RecordProperty("games", games);

  // Still alive: the screen shows one king and a known message, the queue
  // still delivers, and a legal move still moves the king.
  ASSERT_TRUE(game->window().Find("kvgfxclass_tavrel", "tavrel", Millis(10000)));
  game->window().Focus();
  ASSERT_TRUE(WaitFor([&] { return game->Resync(); }, Millis(5000))) << "board or row 1 unreadable after the soak";
  const std::string state = game->messages().back();
  if (state == kCompWins || state == kUserWins) {
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
  std::printf("soak: 1000 keys, %d close requests, %d Alt+Enter, %d games\n", closes, switches, games);
}

}  // namespace
}  // namespace e2e
