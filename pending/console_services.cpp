// Temporary stand-in for the console area: last error code, hook table, pause and
// executable name, until the console's own code lands.
#include <chrono>
#include <cstring>
#include <thread>

#include "console/console.h"
#include "console/runtime.h"
#include "console/services.h"

ConsoleHooks g_console_hooks;

namespace {
int32_t g_last_error = 0;
}

int32_t LastErrorCode() { return g_last_error; }
int32_t SetLastErrorCode(int32_t code) { return g_last_error = code; }

void SleepMs(int32_t ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

char* ExeFileName(char* buffer, int32_t size) {
  std::strncpy(buffer, "C:\\standin\\unit_tests.exe", static_cast<size_t>(size));
  char* slash = std::strrchr(buffer, '\\');
  return slash ? slash + 1 : buffer;
}
