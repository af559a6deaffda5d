// A program that works between empty ReadKey polls, for the pacing benchmark:
// first it only polls for SECONDS (the pure wait), then for SECONDS at each
// amount of work per step (10 us, 100 us, 1 ms, 10 ms of spinning on the
// clock, so that the work is the same in every build and on every run), and
// writes the steps per second of each to OUT. In "window" mode it polls with
// the game's graphics screen open, in "console" mode on the text console.
// Settings come from the environment, so that a console harness that starts
// programs without arguments can start it:
//   TAVREL_POLL_WORK="console|window SECONDS OUT [GO]" poll_work
// OUT receives "ready" once the program is set up, "wait_start" and
// "wait_end" around the pure wait (the runner measures the process's CPU time
// between them), then per amount of work "work_us N steps_per_second S".
//
// With GO, the program waits after "ready" until the file GO exists, and then
// ends its phases at fixed times from that moment (SECONDS, 2 SECONDS, ...).
// Two programs run side by side must work through the same phase at the same
// time: a build whose pure wait polls without pause loads Wine's server and
// console, and would slow the other build's working phase that overlapped it.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "console/console.h"
#include "console/rt_string.h"
#include "console/runtime.h"
#include "gfx/screen.h"

namespace {

using Clock = std::chrono::steady_clock;

void Spin(int64_t us) {
  if (us <= 0) return;
  const auto end = Clock::now() + std::chrono::microseconds(us);
  while (Clock::now() < end) {
  }
}

// Steps per second polling ReadKey after `work_us` of work, until `end`.
double StepsPerSecond(int64_t work_us, Clock::time_point end) {
  long steps = 0;
  const auto start = Clock::now();
  while (Clock::now() < end) {
    Spin(work_us);
    RtRelease(ReadKey());
    ++steps;
  }
  return steps / std::chrono::duration<double>(Clock::now() - start).count();
}

void Line(FILE* out, const char* text) {
  std::fputs(text, out);
  std::fflush(out);
}

void AwaitFile(const char* path) {
  for (;;) {
    if (FILE* go = std::fopen(path, "r")) {
      std::fclose(go);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

}  // namespace

int main(int argc, char** argv) {
  RuntimeInit(argc, argv);
  const char* settings = std::getenv("TAVREL_POLL_WORK");
  char mode[16] = {}, path[1024] = {}, go[1024] = {};
  double seconds = 0;
  const int fields = settings ? std::sscanf(settings, "%15s %lf %1023s %1023s", mode, &seconds, path, go) : 0;
  if (fields < 3) return 2;
  FILE* out = std::fopen(path, "w");
  if (!out) return 2;
  if (std::strcmp(mode, "window") == 0 && ScreenSetMode(12, 8, 0, 0, 0) != 0) return 1;
  Line(out, "ready\n");
  if (fields == 4) AwaitFile(go);
  const auto phase = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  auto end = Clock::now() + phase;
  Line(out, "wait_start\n");
  const double waiting = StepsPerSecond(0, end);
  Line(out, "wait_end\n");
  std::fprintf(out, "work_us 0 steps_per_second %.1f\n", waiting);
  for (const int64_t work : {10, 100, 1000, 10000}) {
    end += phase;
    std::fprintf(out, "work_us %lld steps_per_second %.1f\n", static_cast<long long>(work),
                 StepsPerSecond(work, end));
    std::fflush(out);
  }
  std::fclose(out);
  if (std::strcmp(mode, "window") == 0) ScreenSetMode(0, 0, 0, 0, 0);
  RuntimeEnd(0);
}
