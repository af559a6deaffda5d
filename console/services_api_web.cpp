// The time seam in a browser: the page's monotonic clock, pauses that let the
// browser run meanwhile, and the program's name.
#include <emscripten/emscripten.h>

#include <cstring>

#include "console/services_api.h"
#include "console/web_host.h"

namespace {

constexpr int64_t kNanosecondsPerMs = 1000000;

// performance.now() counts from the page's load, so programs that seed their
// random numbers from the clock (the game's start square) would draw the same
// numbers on every load. Counted from the page's time origin (wall time when
// the page was opened) it is still monotonic within the page, as the other
// systems' clocks count from the system's start.
EM_JS(double, WebNowMs, (), { return performance.timeOrigin + performance.now(); });

bool PerformanceFrequency(int64_t* counts_per_second) {
  *counts_per_second = 1000000000;
  return true;
}

int64_t PerformanceCounter() { return static_cast<int64_t>(WebNowMs() * kNanosecondsPerMs); }

uint32_t TickCount() { return static_cast<uint32_t>(static_cast<int64_t>(WebNowMs())); }

void SleepFor(uint32_t ms) { WebSleep(static_cast<int32_t>(ms)); }

// A page has no executable file; its program is named as on the other systems.
uint32_t ModuleFileName(char* buffer, uint32_t size) {
  static constexpr char kName[] = "tavrel";
  if (size == 0) return 0;
  const uint32_t length = sizeof kName - 1;
  const uint32_t copied = length < size - 1 ? length : size - 1;
  std::memcpy(buffer, kName, copied);
  buffer[copied] = 0;
  return length < size ? copied : size;
}

}  // namespace

ServicesApi g_services_api = {
    .performance_frequency = PerformanceFrequency,
    .performance_counter = PerformanceCounter,
    .tick_count = TickCount,
    .sleep = SleepFor,
    .module_file_name = ModuleFileName,
};
