// Frames per second and key-to-screen latency of the OpenGL example program
// under Wine and llvmpipe, paced by the retrace wait (as it ships) and unpaced
// (--unpaced: presenting in a loop as fast as it can), measured side by side.
// Latency: one key sent through XTest, then a 1x1 XGetImage of the pixel that
// the king's arrival turns white polled every half millisecond, as in
// bench/latency. Each run walks the king from (8, 8) to (1, 8) and (1, 1).
//   example_bench [SAMPLES]      (default 70 per mode)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "example_session.h"

using namespace e2e;

namespace {

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  size_t i = static_cast<size_t>(p * (v.size() - 1) + 0.5);
  return v[std::min(i, v.size() - 1)];
}

// The "frames per second: N" lines printed so far, the first (start-up) left out.
std::vector<double> FrameRates(const std::string& output) {
  std::vector<double> rates;
  std::istringstream in(output);
  std::string line;
  const std::string tag = "frames per second: ";
  while (std::getline(in, line)) {
    if (line.rfind(tag, 0) == 0) rates.push_back(std::atof(line.c_str() + tag.size()));
  }
  if (!rates.empty()) rates.erase(rates.begin());
  return rates;
}

struct Mode {
  const char* name;
  bool unpaced;
  std::vector<double> latency_ms;
  std::vector<double> fps;
};

// One run: 14 timed moves, then a few seconds of presenting for the frame rate.
bool RunOnce(Mode& mode, size_t wanted) {
  ExampleSession s(mode.unpaced);
  if (!s.Ready()) {
    std::fprintf(stderr, "example_bench: %s\n", s.Failure().c_str());
    return false;
  }
  Square at{8, 8};
  for (int i = 0; i < 14 && mode.latency_ms.size() < wanted; ++i) {
    const bool left = at.col > 1;
    const Square to = left ? Square{at.col - 1, at.row} : Square{at.col, at.row - 1};
    double ms = 0;
    if (!s.TimedKey(left ? "1" : "2", to, &ms)) {
      std::fprintf(stderr, "example_bench: the king did not reach (%d, %d)\n", to.col, to.row);
      return false;
    }
    mode.latency_ms.push_back(ms);
    at = to;
  }
  WaitFor([] { return false; }, Millis(3500));  // at least three whole seconds of frames
  for (double f : FrameRates(s.process().Output())) mode.fps.push_back(f);
  s.window().Key("Escape");
  auto status = s.process().WaitExit(Millis(15000));
  if (status != std::optional<int>(0)) {
    std::fprintf(stderr, "example_bench: the example did not end with status 0\n");
    return false;
  }
  return true;
}

void Report(const Mode& m) {
  std::printf("%-8s fps p50 %.0f min %.0f max %.0f (%zu one-second counts)\n", m.name,
              Percentile(m.fps, 0.5), Percentile(m.fps, 0.0), Percentile(m.fps, 1.0), m.fps.size());
  std::printf("%-8s key_to_pixels_ms samples %zu p50 %.2f p90 %.2f p99 %.2f max %.2f\n", m.name,
              m.latency_ms.size(), Percentile(m.latency_ms, 0.5), Percentile(m.latency_ms, 0.9),
              Percentile(m.latency_ms, 0.99), Percentile(m.latency_ms, 1.0));
}

}  // namespace

int main(int argc, char** argv) {
  const size_t wanted = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 70;
  Mode modes[] = {{"paced", false, {}, {}}, {"unpaced", true, {}, {}}};
  // Alternate the modes run by run, so that both see the same machine load.
  while (modes[0].latency_ms.size() < wanted || modes[1].latency_ms.size() < wanted) {
    for (Mode& m : modes) {
      if (m.latency_ms.size() < wanted && !RunOnce(m, wanted)) return 1;
    }
  }
  for (const Mode& m : modes) Report(m);
  return 0;
}
