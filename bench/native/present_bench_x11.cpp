// The cost of showing whole frames through the X11 driver with shared memory
// and with plain XPutImage, side by side in one run: per frame, the program's
// CPU time, the X server's CPU time (read from /proc through the display's lock
// file) and the wall time until the update thread has taken the frame.
//   scripts/with-display.sh build/linux/bench/native/present_bench_x11 [FRAMES]
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "gfx/drivers/driver_x11.h"
#include "gfx/drivers/x11_image.h"
#include "gfx/screen.h"

namespace {

double Seconds(clockid_t clock) {
  timespec t;
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9;
}

// The X server's pid from /tmp/.X<n>-lock, or 0.
long ServerPid() {
  const char* display = std::getenv("DISPLAY");
  if (!display || display[0] != ':') return 0;
  std::ifstream lock(std::string("/tmp/.X") + std::to_string(std::atoi(display + 1)) + "-lock");
  long pid = 0;
  lock >> pid;
  return pid;
}

double ProcessCpu(long pid) {
  if (pid <= 0) return 0;
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  size_t close = text.rfind(')');
  if (close == std::string::npos) return 0;
  long utime = 0, stime = 0;
  std::sscanf(text.c_str() + close + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %ld %ld", &utime, &stime);
  return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

void DrawFrame(int shift) {
  const bool took = ScreenLock();
  for (int y = 0; y < g_screen->height; ++y) {
    uint8_t* row = g_screen->visible_page + static_cast<size_t>(y) * g_screen->pitch;
    for (int x = 0; x < g_screen->width; ++x) row[x] = static_cast<uint8_t>((x + y + shift) % 16);
    g_screen->dirty[y] = 0xFF;
  }
  ScreenUnlock(took);
}

bool FrameTaken() {
  const bool took = ScreenLock();
  bool taken = g_screen->dirty[0] == 0;
  ScreenUnlock(took);
  return taken;
}

// One series of frames; false when the screen would not open as asked.
bool Measure(bool shared, int frames, long server) {
  X11AllowSharedMemory(shared);
  if (ScreenSetMode(12, 8, 0, 0, 0) != 0 || X11UsesSharedMemory() != shared) return false;
  const double cpu0 = Seconds(CLOCK_PROCESS_CPUTIME_ID), server0 = ProcessCpu(server),
               wall0 = Seconds(CLOCK_MONOTONIC);
  for (int i = 0; i < frames; ++i) {
    DrawFrame(i);
    while (!FrameTaken()) usleep(200);
  }
  const double cpu = Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0, server_cpu = ProcessCpu(server) - server0,
               wall = Seconds(CLOCK_MONOTONIC) - wall0;
  ScreenSetMode(0, 0, 0, 0, 0);
  std::printf("%-14s %5d frames: program CPU %.3f ms/frame, X server CPU %.3f ms/frame, wall %.2f ms/frame\n",
              shared ? "shared memory" : "plain", frames, cpu * 1000 / frames, server_cpu * 1000 / frames,
              wall * 1000 / frames);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
  const long server = ServerPid();
  if (!server) std::printf("(the X server's pid is unknown: its CPU reads 0)\n");
  for (int round = 0; round < 2; ++round) {
    for (bool shared : {true, false}) {
      if (!Measure(shared, frames, server)) {
        std::fprintf(stderr, "the %s screen could not be opened\n", shared ? "shared memory" : "plain");
        return 1;
      }
    }
  }
  return 0;
}
