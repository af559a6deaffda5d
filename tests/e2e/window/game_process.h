// The game's Linux process as the host sees it, for the benchmark's CPU figures
// and the soak's leak check: found by its name and this run's prefix, its
// threads' CPU time, its open descriptors and private memory from /proc.
#pragma once
#include <map>
#include <optional>

namespace e2e {

// The one tavrel.exe process whose environment names this run's WINEPREFIX;
// nothing when there is none or more than one.
std::optional<int> GamePid();

// User plus system time of every thread of a process, in clock ticks, by tid.
std::map<int, long> ThreadTicks(int pid);

struct Footprint {
  long descriptors = 0;   // entries of /proc/PID/fd
  long private_kb = 0;    // Private_Clean + Private_Dirty of smaps_rollup
};
std::optional<Footprint> ProcessFootprint(int pid);

}  // namespace e2e
