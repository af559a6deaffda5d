// The run-time frame: program start and end, the last error code, the file table
// and the standard console handles.
#include "console/runtime_internal.h"

#include <cstdlib>
#include <cstring>

#include "console/console_api.h"
#include "console/fpu.h"
#include "console/runtime_platform.h"

FileSlot g_file_table[kFileCount + 1];

namespace {

constexpr int kListCapacity = 16;

struct RoutineList {
  RuntimeRoutine routines[kListCapacity];
  int count;
};

int32_t g_last_error = kErrorNone;
void* g_std_input = nullptr;
void* g_std_output = nullptr;
RoutineList g_module_start = {};
RoutineList g_module_end = {};
bool g_process_started = false;

bool AddRoutine(RoutineList* list, RuntimeRoutine routine) {
  if (!routine || list->count >= kListCapacity) return false;
  list->routines[list->count++] = routine;
  return true;
}

void RunInOrder(const RoutineList& list) {
  for (int i = 0; i < list.count; ++i) list.routines[i]();
}

// The C++ start-up has already run the static constructors and registered their
// destructors with exit; what is left to do once per process is the platform's
// own start, which registers its at-exit handler.
void StartProcessOnce() {
  if (g_process_started) return;
  g_process_started = true;
  PlatformRuntimeStart();
}

}  // namespace

int32_t LastErrorCode() { return g_last_error; }

int32_t SetLastErrorCode(int32_t code) {
  g_last_error = code;
  return code;
}

FILE* FileStream(int32_t file_number) {
  if (file_number < 1 || file_number > kFileCount) return nullptr;
  return g_file_table[file_number].stream;
}

bool RuntimeAddModuleStart(RuntimeRoutine routine) { return AddRoutine(&g_module_start, routine); }
bool RuntimeAddModuleEnd(RuntimeRoutine routine) { return AddRoutine(&g_module_end, routine); }

void* StdInputHandle() { return g_std_input; }
void* StdOutputHandle() { return g_std_output; }

void FpuSetExtendedNearest() {
  if (!FpuControlAvailable()) return;
  uint16_t word = FpuGetControlWord();
  word = static_cast<uint16_t>((word & ~(kFpuPrecisionMask | kFpuRoundingMask)) | kFpuPrecision64 |
                               kFpuRoundNearest);
  FpuSetControlWord(word);
}

void RuntimeInit(int argc, char** argv) {
  (void)argc;  // the program takes no command-line options
  (void)argv;
  std::memset(g_file_table, 0, sizeof g_file_table);
  FpuSetExtendedNearest();
  g_std_input = g_console_api.std_handle(0);
  g_std_output = g_console_api.std_handle(1);
  StartProcessOnce();
  RunInOrder(g_module_start);
}

void RuntimeEnd(int32_t code) {
  RunInOrder(g_module_end);
  std::exit(code);
}
