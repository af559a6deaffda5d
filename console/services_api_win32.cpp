// The time seam on Windows: the performance counter, the tick count, Sleep and
// the module's file name.
#include <windows.h>

#include "console/services_api.h"

namespace {

bool PerformanceFrequency(int64_t* counts_per_second) {
  LARGE_INTEGER value;
  if (!QueryPerformanceFrequency(&value) || value.QuadPart <= 0) return false;
  *counts_per_second = value.QuadPart;
  return true;
}

int64_t PerformanceCounter() {
  LARGE_INTEGER value;
  value.QuadPart = 0;
  QueryPerformanceCounter(&value);
  return value.QuadPart;
}

uint32_t TickCount() { return GetTickCount(); }
void SleepFor(uint32_t ms) { Sleep(ms); }

uint32_t ModuleFileName(char* buffer, uint32_t size) {
  return GetModuleFileNameA(nullptr, buffer, size);
}

}  // namespace

ServicesApi g_services_api = {
    .performance_frequency = PerformanceFrequency,
    .performance_counter = PerformanceCounter,
    .tick_count = TickCount,
    .sleep = SleepFor,
    .module_file_name = ModuleFileName,
};
