// The screen saver and timer settings an open screen holds: taken once, given
// back once on whichever way out comes first.
#include <gtest/gtest.h>

#include <functional>
#include <iterator>

#include "gfx/window/system_settings.h"
#include "support/fake_system_settings.h"

namespace {

class SystemSettings : public ::testing::Test {
 protected:
  void SetUp() override { ResetFakeSystem(); }
  void TearDown() override { SystemSettingsGiveBack(); }
  FakeSystemState& fake = FakeSystem();
};

TEST_F(SystemSettings, OpenSwitchesTheSaverOffAndAsksTheTimerAndCloseGivesBothBack) {
  SystemSettingsTake(FakeSystemCalls());
  EXPECT_EQ(fake.screensaver, 0);
  EXPECT_EQ(fake.begins, 1);
  EXPECT_EQ(fake.installs, 1);
  // A second open before the close keeps the user's own setting, not ours.
  SystemSettingsTake(FakeSystemCalls());
  EXPECT_EQ(fake.begins, 1);
  SystemSettingsGiveBack();
  EXPECT_EQ(fake.screensaver, 1);
  EXPECT_EQ(fake.ends, 1);
  EXPECT_EQ(fake.removes, 1);
  SystemSettingsGiveBack();
  EXPECT_EQ(fake.sets, 2);
  EXPECT_EQ(fake.ends, 1) << "exactly one end per begin";
  // The next screen takes them afresh; a saver already off stays off.
  fake.screensaver = 0;
  SystemSettingsTake(FakeSystemCalls());
  SystemSettingsGiveBack();
  EXPECT_EQ(fake.screensaver, 0);
  EXPECT_EQ(fake.begins, 2);
  EXPECT_EQ(fake.ends, 2);
}

TEST_F(SystemSettings, WhatWasNotObtainedIsNotGivenBack) {
  fake.readable = false;
  fake.grant_timer = false;
  SystemSettingsTake(FakeSystemCalls());
  SystemSettingsGiveBack();
  EXPECT_EQ(fake.sets, 0) << "an unknown setting is left as the user has it";
  EXPECT_EQ(fake.ends, 0) << "a period refused is not ended";
  EXPECT_EQ(fake.removes, 1);
  SystemSettingsTake(nullptr);
  SystemSettingsGiveBack();
  EXPECT_EQ(fake.installs, 1);
}

// Ctrl+C, Ctrl+Break, the console closed, log-off, shutdown and a crash: each
// restores once and lets the process end as it would have.
TEST_F(SystemSettings, EveryExitHandlerRestoresOnceAndTheCloseThenOnlyRemovesHandlers) {
  const std::function<bool()> handlers[] = {
      [] { return SystemSettingsOnConsoleEvent(0); }, [] { return SystemSettingsOnConsoleEvent(1); },
      [] { return SystemSettingsOnConsoleEvent(2); }, [] { return SystemSettingsOnConsoleEvent(5); },
      [] { return SystemSettingsOnConsoleEvent(6); }, [] { return SystemSettingsOnCrash(), false; }};
  for (size_t i = 0; i < std::size(handlers); ++i) {
    ResetFakeSystem();
    SystemSettingsTake(FakeSystemCalls());
    EXPECT_FALSE(handlers[i]()) << "handler " << i << " must let the process end";
    EXPECT_EQ(fake.screensaver, 1) << i;
    EXPECT_EQ(fake.ends, 1) << i;
    SystemSettingsOnConsoleEvent(2);  // a second way out
    SystemSettingsOnCrash();
    SystemSettingsGiveBack();
    EXPECT_EQ(fake.sets, 2) << i;
    EXPECT_EQ(fake.ends, 1) << i;
    EXPECT_EQ(fake.removes, 1) << i;
  }
  // Without an open screen the handlers change nothing.
  SystemSettingsOnConsoleEvent(0);
  SystemSettingsOnCrash();
  EXPECT_EQ(fake.sets, 2);
}

}  // namespace
