// The screen saver and timer settings an open screen holds: taken once, given
// back once on whichever way out comes first.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

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

// Ctrl+C, Ctrl+Break, the console closed, log-off and shutdown, and a crash:
// each restores once and lets the process end as it would have.
TEST_F(SystemSettings, EveryExitHandlerRestoresOnceAndTheCloseThenOnlyRemovesHandlers) {
  for (uint32_t event : {0u, 1u, 2u, 5u, 6u, 99u}) {
    ResetFakeSystem();
    SystemSettingsTake(FakeSystemCalls());
    const bool claimed = event == 99u ? (SystemSettingsOnCrash(), false)
                                      : SystemSettingsOnConsoleEvent(event);
    EXPECT_FALSE(claimed) << event;
    EXPECT_EQ(fake.screensaver, 1) << event;
    EXPECT_EQ(fake.ends, 1) << event;
    SystemSettingsOnConsoleEvent(event == 2u ? 0u : 2u);  // a second event
    SystemSettingsOnCrash();
    SystemSettingsGiveBack();
    EXPECT_EQ(fake.sets, 2) << event;
    EXPECT_EQ(fake.ends, 1) << event;
    EXPECT_EQ(fake.removes, 1) << event;
  }
  // Without an open screen the handlers change nothing.
  SystemSettingsOnConsoleEvent(0);
  SystemSettingsOnCrash();
  EXPECT_EQ(fake.sets, 2);
}

// A console event runs on a thread of its own while the program's thread may
// be closing the screen: one restore between them.
TEST_F(SystemSettings, RestoresRacingOnManyThreadsRestoreOnce) {
  SystemSettingsTake(FakeSystemCalls());
  std::vector<std::thread> threads;
  for (int i = 0; i < 8; ++i) threads.emplace_back([i] {
    if (i == 0) SystemSettingsGiveBack();
    else SystemSettingsOnConsoleEvent(2);
  });
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(fake.sets, 2);
  EXPECT_EQ(fake.ends, 1);
  EXPECT_EQ(fake.screensaver, 1);
}

}  // namespace
