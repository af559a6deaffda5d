// What the process owning a window holds, for the soak tests' leak check:
// finds the window by class name, opens its process and prints one line
// "handles N private_bytes M windows_pid P". Exit status 1 when there is no
// such window or its process cannot be opened.
//   process_usage CLASS_NAME
#include <windows.h>
#include <psapi.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: process_usage CLASS_NAME\n");
    return 2;
  }
  HWND window = FindWindowA(argv[1], nullptr);
  DWORD pid = 0;
  if (window == nullptr || GetWindowThreadProcessId(window, &pid) == 0) {
    std::printf("none\n");
    return 1;
  }
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (process == nullptr) {
    std::printf("no access %lu\n", GetLastError());
    return 1;
  }
  DWORD handles = 0;
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof memory;
  const bool ok = GetProcessHandleCount(process, &handles) &&
                  GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                                       sizeof memory);
  CloseHandle(process);
  if (!ok) {
    std::printf("failed %lu\n", GetLastError());
    return 1;
  }
  std::printf("handles %lu private_bytes %llu windows_pid %lu\n", handles,
              static_cast<unsigned long long>(memory.PrivateUsage), pid);
  return 0;
}
