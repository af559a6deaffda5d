// A small animation of the runtime's own kind for the idle-cost benchmark: each
// frame clears the page and draws moving boxes and lines; with polling, each
// frame is followed by one ReadKey. Runs the two loops in alternating half
// seconds for SECONDS in all and prints the frames per second of each and
// their ratio, so that both see the same machine.
//   animation SECONDS        prints "animation_fps polling N plain N ratio R"
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "console/console.h"
#include "console/rt_string.h"
#include "gfx/draw.h"
#include "gfx/screen.h"

namespace {

double Now() {
  LARGE_INTEGER freq, count;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&count);
  return static_cast<double>(count.QuadPart) / static_cast<double>(freq.QuadPart);
}

void DrawFrame(int32_t frame) {
  DrawLine(nullptr, 0.0f, 0.0f, 639.0f, 479.0f, 0, kDrawKindFilledBox, kStyleSolid, kStepAbsolute);
  for (int32_t i = 0; i < 16; ++i) {
    const float x = static_cast<float>((frame * 3 + i * 40) % 600);
    const float y = static_cast<float>((frame * 2 + i * 29) % 440);
    DrawLine(nullptr, x, y, x + 39.0f, y + 39.0f, static_cast<uint32_t>(i + 1), kDrawKindFilledBox,
             kStyleSolid, kStepAbsolute);
    DrawLine(nullptr, 0.0f, y, 639.0f, 479.0f - y, 15, kDrawKindLine, kStyleSolid, kStepAbsolute);
  }
}

// Frames drawn in `seconds`, polling ReadKey after each or not.
long RunFor(double seconds, bool poll, int32_t* frame) {
  long frames = 0;
  const double end = Now() + seconds;
  while (Now() < end) {
    DrawFrame((*frame)++);
    if (poll) RtRelease(ReadKey());
    ++frames;
  }
  return frames;
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
  if (ScreenSetMode(12, 8, 0, 0, 0) != 0) {
    std::fprintf(stderr, "animation: no screen\n");
    return 1;
  }
  long polling = 0, plain = 0;
  int32_t frame = 0;
  for (double spent = 0; spent < seconds; spent += 1.0) {
    polling += RunFor(0.5, true, &frame);
    plain += RunFor(0.5, false, &frame);
  }
  ScreenSetMode(0, 0, 0, 0, 0);
  const double half = seconds / 2;
  std::printf("animation_fps polling %.0f plain %.0f ratio %.3f\n", polling / half, plain / half,
              plain ? static_cast<double>(polling) / static_cast<double>(plain) : 0.0);
  return 0;
}
