// Recording display drivers for the native tests.
#include "support/test_driver.h"

#include <cstdlib>
#include <cstring>
#include <map>

namespace {

constexpr int kMaxDrivers = 4;
struct Slot {
  std::string name;
  int32_t init_result = 0;
  DisplayDriver driver{};
};
Slot g_slots[kMaxDrivers];
int g_slot_count = 0;
std::vector<const DisplayDriver*> g_list;
int32_t g_mouse_result = 0;
std::function<void(const RecordedCall&)> g_call_hook;

void Record(int slot, const char* op, std::vector<int32_t> args, const char* text = nullptr) {
  DriverCalls().push_back({g_slots[slot].name, op, std::move(args), text ? text : ""});
  if (g_call_hook) {
    const RecordedCall call = DriverCalls().back();  // the hook may clear the record
    g_call_hook(call);
  }
}

// One set of operations per slot index, so each driver knows its own name.
template <int N>
struct Ops {
  static int32_t Init(const char* title, int32_t w, int32_t h, int32_t d, int32_t r, int32_t f) {
    Record(N, "init", {w, h, d, r, f}, title);
    return g_slots[N].init_result;
  }
  static void Exit() { Record(N, "exit", {}); }
  static void Lock() { Record(N, "lock", {}); }
  static void Unlock() { Record(N, "unlock", {}); }
  static void SetPalette(int32_t i, int32_t r, int32_t g, int32_t b) {
    Record(N, "set_palette", {i, r, g, b});
  }
  static void WaitVsync() { Record(N, "wait_vsync", {}); }
  static int32_t GetMouse(int32_t* x, int32_t* y, int32_t* wheel, int32_t* buttons) {
    Record(N, "get_mouse", {});
    if (g_mouse_result != 0) return g_mouse_result;
    *x = 10, *y = 20, *wheel = 3, *buttons = 1;
    return 0;
  }
  static void SetMouse(int32_t x, int32_t y, int32_t c) { Record(N, "set_mouse", {x, y, c}); }
  static void SetTitle(const char* title) { Record(N, "set_title", {}, title); }
  // One mode, 640x480, for depth 8 only; the array is the caller's.
  static int32_t* FetchModes(int32_t depth, int32_t* count) {
    Record(N, "fetch_modes", {depth});
    if (depth != 8) return nullptr;
    int32_t* modes = static_cast<int32_t*>(std::malloc(sizeof(int32_t)));
    if (!modes) return nullptr;
    modes[0] = 640 << 16 | 480;
    *count = 1;
    return modes;
  }
  static void Flip() { Record(N, "flip", {}); }
  static DisplayDriver Make(const char* name) {
    return DisplayDriver{
        .name = name,
        .init = Init,
        .exit = Exit,
        .lock = Lock,
        .unlock = Unlock,
        .set_palette = SetPalette,
        .wait_vsync = WaitVsync,
        .get_mouse = GetMouse,
        .set_mouse = SetMouse,
        .set_title = SetTitle,
        .fetch_modes = FetchModes,
        .flip = Flip,
    };
  }
};

DisplayDriver MakeOps(int n, const char* name) {
  switch (n) {
    case 0: return Ops<0>::Make(name);
    case 1: return Ops<1>::Make(name);
    case 2: return Ops<2>::Make(name);
    default: return Ops<3>::Make(name);
  }
}

}  // namespace

std::vector<RecordedCall>& DriverCalls() {
  static std::vector<RecordedCall> calls;
  return calls;
}

void ClearDriverCalls() { DriverCalls().clear(); }

const DisplayDriver* MakeTestDriver(const char* name, int32_t init_result) {
  for (int i = 0; i < g_slot_count; ++i) {
    if (g_slots[i].name == name) {
      g_slots[i].init_result = init_result;
      return &g_slots[i].driver;
    }
  }
  if (g_slot_count == kMaxDrivers) return nullptr;
  Slot& slot = g_slots[g_slot_count];
  slot.name = name;
  slot.init_result = init_result;
  slot.driver = MakeOps(g_slot_count, slot.name.c_str());
  return &g_slots[g_slot_count++].driver;
}

void SetTestDriverInitResult(const char* name, int32_t init_result) { MakeTestDriver(name, init_result); }

void UseDrivers(std::initializer_list<const DisplayDriver*> drivers) {
  g_list.assign(drivers.begin(), drivers.end());
  g_list.push_back(nullptr);
  SetDisplayDriverList(g_list.data());
}

void RestoreDrivers() { SetDisplayDriverList(nullptr); }

int CountCalls(const std::string& op, const std::string& driver) {
  int n = 0;
  for (const RecordedCall& c : DriverCalls()) {
    if (c.op == op && (driver.empty() || c.driver == driver)) ++n;
  }
  return n;
}

void SetTestDriverMouseResult(int32_t result) { g_mouse_result = result; }

void SetTestDriverCallHook(std::function<void(const RecordedCall&)> hook) { g_call_hook = std::move(hook); }
