// Key-to-screen latency and update rate of the real game under Wine and Xvfb.
// Each sample is one key sent through XTest (a move digit, or Enter after
// "COMP (press enter)") and the time until the king's new pixels are on the X
// screen, seen by polling a 1x1 XGetImage every half millisecond. Games are
// started again until enough samples are taken; then, while the game waits in
// its polling loop for a move, pass_rate.exe counts its update passes, and the
// CPU time of the game's threads is read from /proc over a few seconds in
// which nothing changes on screen: the program's own main thread (which polls
// for keys) apart from all the others (the update thread and whatever Wine
// runs for the display).
//   latency_bench [SAMPLES]      (default 240)
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <thread>
#include <vector>

#include "game_process.h"
#include "game_session.h"
#include "tests/e2e/tools/x11_probe.h"

using namespace e2e;

namespace {

double Percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  size_t i = static_cast<size_t>(p * (v.size() - 1) + 0.5);
  return v[std::min(i, v.size() - 1)];
}

// CPU per second of wall time over `seconds` with nothing to do: the main
// thread (Wine runs the program's main thread on the process's first thread,
// whose tid is the pid) and all the others, in percent of one core.
bool IdleCpu(double seconds) {
  const auto pid = GamePid();
  if (!pid) {
    std::fprintf(stderr, "latency_bench: no single tavrel.exe process of this prefix\n");
    return false;
  }
  const auto before = ThreadTicks(*pid);
  const int64_t start = ProbeNowNs();
  std::this_thread::sleep_for(std::chrono::milliseconds(static_cast<int>(seconds * 1000)));
  const auto after = ThreadTicks(*pid);
  const double wall = static_cast<double>(ProbeNowNs() - start) / 1e9;
  const double tick = static_cast<double>(sysconf(_SC_CLK_TCK));
  double main_s = 0, others_s = 0;
  for (const auto& [tid, t] : after) {
    auto was = before.find(tid);
    const double used = static_cast<double>(t - (was == before.end() ? 0 : was->second)) / tick;
    (tid == *pid ? main_s : others_s) += used;
  }
  std::printf("idle_cpu_percent other_threads %.1f main_thread %.1f threads %zu seconds %.1f\n",
              100 * others_s / wall, 100 * main_s / wall, after.size(), wall);
  return true;
}

bool Ended(GameSession& game, const char* key) {
  auto status = game.Finish(key);
  if (status == std::optional<int>(0)) return true;
  std::fprintf(stderr, "latency_bench: the game did not end with status 0 after %s\n", key);
  return false;
}

struct Samples {
  std::vector<double> moves, replies;  // replies: Enter after "COMP (press enter)"
  size_t Count() const { return moves.size() + replies.size(); }
};

// One line of percentiles; `extra` goes after the sample count.
void PrintPercentiles(const char* name, const std::vector<double>& v, const std::string& extra = "") {
  if (v.empty()) return;
  std::printf("%s samples %zu%s p50 %.2f p90 %.2f p99 %.2f max %.2f\n", name, v.size(), extra.c_str(),
              Percentile(v, 0.5), Percentile(v, 0.9), Percentile(v, 0.99), Percentile(v, 1.0));
}

// Plays one game to its end or until enough samples, then measures the
// passes and the idle CPU once (in a game of its own when the samples ran out
// as a game ended); false on a fault.
bool PlayOne(Samples& samples, size_t wanted, bool* measured) {
  GameSession game;
  if (!game.Ready()) {
    std::fprintf(stderr, "latency_bench: %s\n", game.Failure().c_str());
    return false;
  }
  // On (1, 1) the computer has won before any move.
  if (game.king() == Square{1, 1}) return Ended(game, "Return");
  while (samples.Count() < wanted) {
    const std::string key = NonWinningMove(game.king());
    if (key.empty()) break;
    double ms = 0;
    const Square from = game.king(), to = *MoveByKey(from, key);
    if (!game.TimedKey(key, to, &ms)) {
      std::fprintf(stderr, "latency_bench: key %s did not move the king from (%d, %d) to (%d, %d)\n",
                   key.c_str(), from.col, from.row, to.col, to.row);
      return false;
    }
    samples.moves.push_back(ms);
    if (!game.ComputerTurn(&ms)) {
      std::fprintf(stderr, "latency_bench: %s\n", game.Failure().c_str());
      return false;
    }
    samples.replies.push_back(ms);
    if (game.king() == Square{1, 1}) return Ended(game, "Return");
  }
  if (samples.Count() >= wanted && !*measured) {
    *measured = true;
    int status = -1;
    std::string out = RunWine(E2eEnv::Get().windows_build + "/tests/e2e/pass_rate.exe",
                              {"kvgfxclass_tavrel", "5"}, &status);
    std::printf("%s", out.c_str());
    if (status != 0) {
      std::fprintf(stderr, "latency_bench: pass_rate.exe failed with status %d\n", status);
      return false;
    }
    if (!IdleCpu(5.0)) return false;
  }
  return Ended(game, "Escape");
}

}  // namespace

int main(int argc, char** argv) {
  const size_t wanted = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 240;
  Samples samples;
  int games = 0;
  bool measured = false;
  while (samples.Count() < wanted || !measured) {
    if (!PlayOne(samples, wanted, &measured)) return 1;
    ++games;
  }
  std::vector<double> all = samples.moves;
  all.insert(all.end(), samples.replies.begin(), samples.replies.end());
  PrintPercentiles("key_to_pixels_ms", all, " games " + std::to_string(games));
  PrintPercentiles("  move_keys_ms", samples.moves);
  PrintPercentiles("  reply_keys_ms", samples.replies);
  return 0;
}
