// The soak's usage reading (see window_queries_win32.h).
#include "window_queries_win32.h"

#include <windows.h>
#include <psapi.h>

#include <cstdarg>
#include <cstdio>

#include "handle_count_win32.h"

namespace {

std::string Format(const char* format, ...) {
  char line[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  return line;
}

}  // namespace

// process_usage: what the process owning a window holds, for the soak tests' leak check:
// finds the window by class name, opens its process and prints one line
// "handles N registry_keys K private_bytes M windows_pid P". Exit status 1,
// with the reason printed, when there is no such window or its process cannot
// be read.
//   process_usage CLASS_NAME
//
// Wine 8 answers 0 for another process's handle count and private usage. It
// does list every process's handles (counted here, with the registry keys among
// them apart: Wine's display settings leak three keys with every mode change,
// which a fullscreen switch makes by design) and fill the pagefile
// usage, which Windows defines as the same figure as the private usage. Those
// stand in where the direct answers are 0.
int ProcessUsageLine(int argc, char** argv, std::string* out) {
  if (argc != 2) {
    *out = "usage: process_usage CLASS_NAME\n";
    return 2;
  }
  HWND window = FindWindowA(argv[1], nullptr);
  DWORD pid = 0;
  if (window == nullptr || GetWindowThreadProcessId(window, &pid) == 0) {
    *out = Format("none: no window of class %s (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (process == nullptr) {
    *out = Format("no access to process %lu: error %lu\n", pid, GetLastError());
    return 1;
  }
  DWORD handles = 0;
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof memory;
  const bool ok = GetProcessHandleCount(process, &handles) &&
                  GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                                       sizeof memory);
  const DWORD error = GetLastError();
  CloseHandle(process);
  if (!ok) {
    *out = Format("failed to read process %lu: error %lu\n", pid, error);
    return 1;
  }
  const HandleCounts listed = ListedHandles(pid);
  if (handles == 0) handles = listed.all;
  const SIZE_T private_bytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
  *out = Format("handles %lu registry_keys %lu private_bytes %llu windows_pid %lu\n", handles,
              listed.registry_keys, static_cast<unsigned long long>(private_bytes), pid);
  return 0;
}
