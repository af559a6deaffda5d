// The seam between the time services and the platform: the clocks, sleeping and
// the executable's path. Tests replace it with a clock and a sleep of their own.
#pragma once
#include <cstdint>

struct ServicesApi {
  bool (*performance_frequency)(int64_t* counts_per_second);
  int64_t (*performance_counter)();
  uint32_t (*tick_count)();  // milliseconds since the system started, wrapping
  void (*sleep)(uint32_t ms);
  // Like GetModuleFileNameA on the program's own module: copies at most size
  // bytes and returns the number of characters copied.
  uint32_t (*module_file_name)(char* buffer, uint32_t size);
};

extern ServicesApi g_services_api;

// Forgets the clock's choice, so that the next reading chooses again.
void TimerResetMode();
