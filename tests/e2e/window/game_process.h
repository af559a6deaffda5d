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
  // The Anonymous line of smaps_rollup: memory that only this process has
  // written (heap, stacks, copied-on-write pages), the nearest thing to what
  // Windows counts as private bytes. Private_Clean is no measure of the
  // process itself: a page of a Wine library counts as private while no other
  // process maps it and as shared once one does, so it moves by megabytes as
  // other Wine programs start and end.
  long anonymous_kb = 0;
};
std::optional<Footprint> ProcessFootprint(int pid);

}  // namespace e2e
