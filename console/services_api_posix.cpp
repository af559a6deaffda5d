// The time seam on the native build: the monotonic clock in nanoseconds,
// nanosleep and /proc/self/exe.
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "console/services_api.h"

namespace {

bool PerformanceFrequency(int64_t* counts_per_second) {
  *counts_per_second = 1000000000;
  return true;
}

int64_t PerformanceCounter() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

uint32_t TickCount() { return static_cast<uint32_t>(PerformanceCounter() / 1000000); }

void SleepFor(uint32_t ms) {
  timespec rest = {static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000};
  while (nanosleep(&rest, &rest) != 0 && errno == EINTR) {
  }
}

// Truncates like the Windows call: at most size - 1 characters and a NUL.
uint32_t ModuleFileName(char* buffer, uint32_t size) {
  if (size == 0) return 0;
  char path[4096];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n < 0) n = 0;
  uint32_t copied = static_cast<uint32_t>(n) < size - 1 ? static_cast<uint32_t>(n) : size - 1;
  std::memcpy(buffer, path, copied);
  buffer[copied] = 0;
  return static_cast<uint32_t>(n) < size ? copied : size;
}

}  // namespace

ServicesApi g_services_api = {
    .performance_frequency = PerformanceFrequency,
    .performance_counter = PerformanceCounter,
    .tick_count = TickCount,
    .sleep = SleepFor,
    .module_file_name = ModuleFileName,
};
