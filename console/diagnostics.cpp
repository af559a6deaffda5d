// Where the runtime's diagnostics go: a line on standard error (and the
// debugger, where the platform has one) unless the program chose otherwise.
#include <atomic>
#include <cstdio>

#include "console/runtime_internal.h"

namespace {
std::atomic<RuntimeDiagnosticHandler> g_handler{RuntimeDefaultDiagnostics};
}  // namespace

void RuntimeDefaultDiagnostics(const char* line) {
  std::fprintf(stderr, "%s\n", line);
  std::fflush(stderr);
  PlatformDebugOutput(line);
}

RuntimeDiagnosticHandler RuntimeSetDiagnosticHandler(RuntimeDiagnosticHandler handler) {
  return g_handler.exchange(handler);
}

void RuntimeDiagnostic(const char* line) {
  if (RuntimeDiagnosticHandler handler = g_handler.load()) handler(line);
}
