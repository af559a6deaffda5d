// The real game's CPU time while it waits for the player, under Wine and Xvfb:
// at the menu, at "Hodite !" and at "COMP (press enter)", each over SECONDS,
// as a share of one core (user and system time of all of tavrel.exe's threads,
// from /proc). Then the animation program's frames per second with and without
// a ReadKey poll after each frame. KVGFX chooses the display driver.
//   idle_bench [SECONDS]      (default 10)
#include <dirent.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "game_session.h"

using namespace e2e;

namespace {

// The Linux process whose first argument is the Windows program tavrel.exe.
pid_t FindGame() {
  DIR* proc = opendir("/proc");
  if (!proc) return -1;
  pid_t found = -1;
  while (dirent* entry = readdir(proc)) {
    const pid_t pid = static_cast<pid_t>(std::atoi(entry->d_name));
    if (pid <= 0) continue;
    std::ifstream file("/proc/" + std::string(entry->d_name) + "/cmdline");
    std::string first;
    std::getline(file, first, '\0');
    if (first.size() >= 10 && first.compare(first.size() - 10, 10, "tavrel.exe") == 0) found = pid;
  }
  closedir(proc);
  return found;
}

// utime + stime of the whole process (every thread), in clock ticks.
long CpuTicks(pid_t pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
  std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const size_t close = stat.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream rest(stat.substr(close + 2));
  std::string field;
  long utime = 0, stime = 0;
  for (int i = 3; i <= 15 && rest >> field; ++i) {
    if (i == 14) utime = std::atol(field.c_str());
    if (i == 15) stime = std::atol(field.c_str());
  }
  return utime + stime;
}

// Prints the game's share of one core over `seconds`; false when not found.
bool MeasureIdle(const char* where, double seconds) {
  const pid_t pid = FindGame();
  if (pid <= 0) {
    std::fprintf(stderr, "idle_bench: no tavrel.exe process\n");
    return false;
  }
  const long ticks_per_second = sysconf(_SC_CLK_TCK);
  const long before = CpuTicks(pid);
  const auto start = std::chrono::steady_clock::now();
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  const long after = CpuTicks(pid);
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double share = 100.0 * (after - before) / ticks_per_second / wall;
  std::printf("idle_cpu %-22s %5.1f%% of one core over %.1f s\n", where, share, wall);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
  bool ok = true;
  std::unique_ptr<GameSession> game;
  std::string why;
  for (int tries = 0; tries < 10 && !game; ++tries) {
    bool menu_ok = true;
    auto session = std::make_unique<GameSession>([&](GameConsole&) {
      if (tries == 0) menu_ok = MeasureIdle("menu", seconds);
    });
    ok = ok && menu_ok;
    if (!session->Ready()) {
      std::fprintf(stderr, "idle_bench: %s\n", session->Failure().c_str());
      return 1;
    }
    if (!NonWinningMove(session->king()).empty()) {
      game = std::move(session);
    } else {
      session->Finish("Escape");
    }
  }
  if (!game) return 1;
  ok = MeasureIdle("\"Hodite !\"", seconds) && ok;
  const std::string key = NonWinningMove(game->king());
  if (key.empty() || !game->Move(key, *MoveByKey(game->king(), key))) {
    std::fprintf(stderr, "idle_bench: the move %s did not reach the board\n", key.c_str());
    return 1;
  }
  std::this_thread::sleep_for(std::chrono::seconds(1));  // the message is drawn after the king
  ok = MeasureIdle("\"COMP (press enter)\"", seconds) && ok;
  if (!game->ComputerTurn()) {
    std::fprintf(stderr, "idle_bench: %s\n", game->Failure().c_str());
    return 1;
  }
  game->Finish(game->king() == Square{1, 1} ? "Return" : "Escape");

  int status = -1;
  const std::string out = RunWine(E2eEnv::Get().windows_build + "/tests/e2e/animation.exe",
                                  {std::to_string(static_cast<int>(seconds))}, &status);
  std::printf("%s", out.c_str());
  if (status != 0) {
    std::fprintf(stderr, "idle_bench: animation.exe failed with status %d\n", status);
    return 1;
  }
  return ok ? 0 : 1;
}
