// The fake system settings: one process-wide state, as the real ones are.
#include "support/fake_system_settings.h"

namespace {

FakeSystemState g_fake;

bool Get(int32_t* active) {
  if (g_fake.readable) *active = g_fake.screensaver;
  return g_fake.readable;
}
void Set(int32_t active) {
  g_fake.screensaver = active;
  ++g_fake.sets;
}
bool Begin() {
  ++g_fake.begins;
  return g_fake.grant_timer;
}
void End() { ++g_fake.ends; }
void Install() { ++g_fake.installs; }
void Remove() { ++g_fake.removes; }

const SystemSettingsCalls kFakeCalls = {Get, Set, Begin, End, Install, Remove};

}  // namespace

FakeSystemState& ResetFakeSystem() {
  g_fake = FakeSystemState{};
  return g_fake;
}
FakeSystemState& FakeSystem() { return g_fake; }
const SystemSettingsCalls* FakeSystemCalls() { return &kFakeCalls; }
