// Key-to-screen latency of the native tavrel's window, taken as latency_bench
// takes it for the Windows program: a key through XTest (a move digit, or
// Enter after "COMP (press enter)") and the time until the king's new pixel is
// on the X screen, a 1x1 XGetImage polled every half millisecond. It plays the
// one game whose window ("tavrel") is open at "Hodite !" until the game ends
// or SAMPLES keys are timed, prints one "key_ms MS" line per key and ends the
// game (Escape, or Enter after the computer's win); the caller starts games.
//   native_latency_bench SAMPLES
#include <X11/extensions/XTest.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "game_session.h"
#include "tests/e2e/tools/x11_probe.h"

using namespace e2e;

namespace {

struct Game {
  Display* d = nullptr;
  int x = 0, y = 0;  // the window's top-left corner on the screen
  Square king;
};

bool Fail(const char* why) {
  std::fprintf(stderr, "native_latency_bench: %s\n", why);
  return false;
}

void Pause(long ns) {
  const struct timespec t = {0, ns};
  nanosleep(&t, nullptr);
}

// Calls done() every 5 ms for up to 5 s.
template <typename Done>
bool Within5s(Done done) {
  for (const int64_t start = ProbeNowNs(); ProbeNowNs() - start < 5'000'000'000;) {
    if (done()) return true;
    Pause(5'000'000);
  }
  return false;
}

// Exactly one square whose circle is drawn, as GameSession reads it.
std::optional<Square> KingOnScreen(Game& g) {
  std::vector<uint32_t> px(360 * 360);
  if (ProbeGrab(g.d, g.x, g.y, 360, 360, px.data()) != 0) return std::nullopt;
  auto at = [&](int x, int y) { return px[static_cast<size_t>(y) * 360 + x]; };
  std::optional<Square> found;
  for (int col = 1; col <= 8; ++col)
    for (int row = 1; row <= 8; ++row) {
      const Square s{col, row};
      if (at(KingX(s) + 10, KingY(s)) != kWhite || at(KingX(s), KingY(s) - 10) != kWhite ||
          at(KingX(s), KingY(s)) != kBlack)
        continue;
      if (found) return std::nullopt;
      found = s;
    }
  return found;
}

// Row 1 shows `message` (its first `chars` letters) over the board.
bool WaitMessage(Game& g, const std::string& message, size_t chars) {
  const Picture expected = ReferenceBoard(g.king, {message});
  const int w = static_cast<int>(8 * chars);
  std::vector<uint32_t> px(static_cast<size_t>(w) * 16);
  return Within5s([&] {
    if (ProbeGrab(g.d, g.x, g.y, w, 16, px.data()) != 0) return false;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < w; ++x)
        if (px[static_cast<size_t>(y) * w + x] != expected.At(x, y)) return false;
    return true;
  });
}

// Sends the key and times it until the pixel that the king's arrival at `to`
// turns white (its rightmost) is on the screen.
bool TimedKey(Game& g, const char* key, Square to) {
  const int x = g.x + KingX(to) + 10, y = g.y + KingY(to);
  const int64_t start = ProbeNowNs();
  if (ProbeKey(g.d, key) != 0) return Fail("no key code for a key");
  while (ProbePixel(g.d, x, y) != kWhite) {
    if (ProbeNowNs() - start > 5'000'000'000) return Fail("the king did not arrive");
    Pause(500'000);
  }
  std::printf("key_ms %.3f\n", static_cast<double>(ProbeNowNs() - start) / 1e6);
  if (!Within5s([&] { return KingOnScreen(g) == to; })) return Fail("the king is not alone on its square");
  g.king = to;
  return true;
}

bool Play(Game& g, long wanted) {
  for (long taken = 0; taken < wanted;) {
    const std::string key = NonWinningMove(g.king);
    if (key.empty()) break;
    if (!TimedKey(g, key.c_str(), *MoveByKey(g.king, key))) return false;
    if (!WaitMessage(g, kCompTurn, kCompTurn.size())) return Fail("no \"COMP (press enter)\"");
    if (!TimedKey(g, "Return", ComputerReply(g.king))) return false;
    taken += 2;
    if (g.king == Square{1, 1}) break;
    if (!WaitMessage(g, kUserTurn, 8)) return Fail("no \"Hodite !\" after the computer's move");
  }
  if (!(g.king == Square{1, 1})) return ProbeKey(g.d, "Escape") == 0;
  if (!WaitMessage(g, kCompWins, kCompWins.size())) return Fail("no \"COMP VIN!!!!\"");
  return ProbeKey(g.d, "Return") == 0;
}

}  // namespace

int main(int argc, char** argv) {
  const long wanted = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 240;
  Game g;
  g.d = ProbeOpen();
  if (!g.d) return Fail("no X display with XTest"), 1;
  int w = 0, h = 0;
  Window window = 0;
  if (!Within5s([&] { return (window = ProbeFindWindow(g.d, "tavrel")) != 0; }) ||
      ProbeWindowRect(g.d, window, &g.x, &g.y, &w, &h) != 0)
    return Fail("no window named tavrel"), 1;
  // Without a window manager the keys go to the window under the pointer.
  XTestFakeMotionEvent(g.d, -1, g.x + w / 2, g.y + h / 2, 0);
  XFlush(g.d);
  std::optional<Square> king;
  if (!Within5s([&] { return (king = KingOnScreen(g)).has_value(); })) return Fail("no king"), 1;
  g.king = *king;
  // On (1, 1) the computer has won before any move.
  const bool ok = g.king == Square{1, 1} ? Play(g, 0)
                  : WaitMessage(g, kUserTurn, 8) ? Play(g, wanted)
                                                 : Fail("no \"Hodite !\"");
  XCloseDisplay(g.d);
  return ok ? 0 : 1;
}
