// Which display the real game gets: GDI when DirectDraw or DirectInput cannot
// be loaded (the DLL disabled for the game's run through WINEDLLOVERRIDES), a
// whole game played there; and the driver KVGFX names, in any case.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>

#include "game_session.h"

namespace e2e {
namespace {

// Sets (or, with nullptr, removes) an environment variable for the programs
// started while it lives, and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    E2eEnv::Get();  // its defaults first, so that they do not override ours
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_) setenv(name_, old_->c_str(), 1);
    else unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// Plays to the end, the user preferring both-odd squares; then Enter must end
// the game with status 0.
void PlayToTheEnd(GameSession& game) {
  while (!(game.king() == Square{1, 1})) {
    const Square from = game.king();
    std::string key;
    for (const char* k : {"3", "1", "2"}) {
      auto to = MoveByKey(from, k);
      if (to && key.empty() && to->col % 2 == 1 && to->row % 2 == 1) key = k;
    }
    for (const char* k : {"1", "2", "3"})
      if (key.empty() && MoveByKey(from, k)) key = k;
    ASSERT_FALSE(key.empty());
    const Square to = *MoveByKey(from, key);
    ASSERT_TRUE(game.Move(key, to)) << "key " << key << " did not move the king";
    if (to == Square{1, 1}) {
      ASSERT_TRUE(game.WaitMessage(kUserWins));
      break;
    }
    ASSERT_TRUE(game.ComputerTurn()) << game.Failure();
  }
  std::string why;
  EXPECT_TRUE(game.WaitPicture(Millis(3000), &why)) << why;
  EXPECT_EQ(game.Finish("Return"), std::optional<int>(0));
}

class WindowFallback : public ::testing::TestWithParam<const char*> {};

TEST_P(WindowFallback, WithoutTheLibraryTheGameOpensThroughGdiAndPlaysAWholeGame) {
  ScopedEnv no_kvgfx("KVGFX", nullptr);
  const std::string overrides = std::string("mscoree,mshtml=;") + GetParam() + "=";
  ScopedEnv disabled("WINEDLLOVERRIDES", overrides.c_str());
  GameSession game(nullptr, "gdi");
  ASSERT_TRUE(game.Ready()) << game.Failure();
  ASSERT_NO_FATAL_FAILURE(PlayToTheEnd(game));
}

INSTANTIATE_TEST_SUITE_P(Disabled, WindowFallback, ::testing::Values("ddraw", "dinput"),
                         [](const auto& info) { return std::string(info.param); });

struct Choice {
  const char* kvgfx;
  const char* driver;
};

void PrintTo(const Choice& c, std::ostream* os) { *os << c.kvgfx; }

class WindowDriverChoice : public ::testing::TestWithParam<Choice> {};

TEST_P(WindowDriverChoice, KvgfxPicksTheNamedDriverInAnyCase) {
  ScopedEnv named("KVGFX", GetParam().kvgfx);
  GameSession game(nullptr, GetParam().driver);
  ASSERT_TRUE(game.Ready()) << game.Failure();
  std::string why;
  EXPECT_TRUE(game.WaitPicture(Millis(3000), &why)) << why;
  const bool won = game.king() == Square{1, 1};
  EXPECT_EQ(game.Finish(won ? "Return" : "Escape"), std::optional<int>(0));
}

INSTANTIATE_TEST_SUITE_P(Names, WindowDriverChoice,
                         ::testing::Values(Choice{"GDI", "gdi"}, Choice{"gdi", "gdi"},
                                           Choice{"directx", "directx"}, Choice{"DirectX", "directx"},
                                           Choice{"nothing-of-that-name", "directx"}),
                         [](const auto& info) {
                           std::string name;
                           for (const char* c = info.param.kvgfx; *c; ++c)
                             name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                           return name;
                         });

}  // namespace
}  // namespace e2e
