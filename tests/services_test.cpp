// Clock, random numbers, pauses, the executable's name and CharCodeAt.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "console/console.h"
#include "console/random_lcg.h"
#include "console/services.h"
#include "support/fake_input.h"

namespace {

std::vector<double> Draws(int count) {
  std::vector<double> values;
  for (int i = 0; i < count; ++i) values.push_back(RandomNumber(1));
  return values;
}

std::vector<double> SeededDraws(double seed, int count = 8) {
  RandomSeed(seed);
  return Draws(count);
}

TEST(Random, DrawsAreMultiplesOfAStepBelowOneAndZeroRepeatsTheLast) {
  RandomSeed(12345.0);
  double largest = 0.0;
  for (int i = 0; i < 200000; ++i) {
    double v = RandomNumber(i % 2 ? 1 : -5);
    ASSERT_GE(v, 0.0);
    ASSERT_LT(v, 1.0);
    ASSERT_EQ(v * 32768.0, std::floor(v * 32768.0));
    ASSERT_EQ(RandomNumber(0), v);
    ASSERT_EQ(RandomNumber(0), v);
    if (v > largest) largest = v;
  }
  EXPECT_EQ(largest, 32767.0 / 32768.0);
  // The game's start square: 1 + floor(8 * draw) always lies in 1 to 8.
  for (int i = 0; i < 1000; ++i) {
    int column = 1 + static_cast<int>(std::floor(8 * RandomNumber(1)));
    ASSERT_GE(column, 1);
    ASSERT_LE(column, 8);
  }
}

TEST(Random, SeedsAreTruncatedAndOneValueIsDiscarded) {
  EXPECT_EQ(SeededDraws(7.99), SeededDraws(7.0));
  EXPECT_EQ(SeededDraws(7.0), SeededDraws(7.0));
  EXPECT_NE(SeededDraws(7.0), SeededDraws(8.0));
  EXPECT_EQ(SeededDraws(-1.5), SeededDraws(-1.9));
  EXPECT_NE(SeededDraws(-1.5), SeededDraws(-2.0));
  EXPECT_EQ(SeededDraws(1e10), SeededDraws(-2147483648.0));

  LcgSeed(7);
  int32_t first = LcgNext();
  int32_t second = LcgNext();
  RandomSeed(7.0);
  EXPECT_EQ(RandomNumber(1), second / 32768.0);
  EXPECT_NE(first, second);
}

TEST(Random, MinusOneAndNotANumberSeedFromTheClock) {
  FakeServices services;
  services.frequency = 1000;
  services.counter = 5400;  // 5.4 s: seed 5
  EXPECT_EQ(SeededDraws(-1.0), SeededDraws(5.0));
  EXPECT_EQ(SeededDraws(std::numeric_limits<double>::quiet_NaN()), SeededDraws(5.0));
  services.counter = 9000;
  EXPECT_EQ(SeededDraws(-1.0), SeededDraws(9.0));
}

TEST(Timer, PerformanceCounterChosenOnceElseTickCount) {
  {
    FakeServices services;
    services.frequency = 4;
    services.counter = 10;
    EXPECT_DOUBLE_EQ(TimerSeconds(), 2.5);
    services.counter = -2;
    EXPECT_DOUBLE_EQ(TimerSeconds(), -0.5);
    EXPECT_EQ(services.frequency_queries, 1);
  }
  FakeServices services;
  services.has_counter = false;
  services.ticks = 0xFFFFFFFFu;
  EXPECT_DOUBLE_EQ(TimerSeconds(), 4294967.295);
  services.has_counter = true;  // the choice is never made again
  services.ticks = 1500;
  EXPECT_DOUBLE_EQ(TimerSeconds(), 1.5);
  EXPECT_EQ(services.frequency_queries, 1);
}

struct Pause : ::testing::Test {
  FakeServices services;
  FakeKeys keys;
};

TEST_F(Pause, ShortPausesSleepWholeAndIgnoreKeys) {
  keys.Type('a');
  SleepMs(99);
  EXPECT_EQ(services.sleeps, (std::vector<uint32_t>{99}));
  EXPECT_TRUE(KeyWaiting());
  services.sleeps.clear();
  SleepMs(0);
  SleepMs(-2);
  EXPECT_TRUE(services.sleeps.empty());
}

TEST_F(Pause, LongPausesReturnAtOnceForAWaitingKeyAndLeaveIt) {
  keys.Type('a');
  SleepMs(100);
  EXPECT_TRUE(services.sleeps.empty());
  RtString* key = ReadKey();
  EXPECT_TRUE(RtEqualsText(key, "a"));
  RtRelease(key);
}

TEST_F(Pause, LongPausesSleepInFiftyMillisecondSteps) {
  SleepMs(120);
  EXPECT_EQ(services.sleeps, (std::vector<uint32_t>{50, 50, 20}));
  services.sleeps.clear();
  SleepMs(100);
  EXPECT_EQ(services.sleeps, (std::vector<uint32_t>{50, 50}));
  services.sleeps.clear();
  services.on_sleep = [&] {  // a key arrives during the second step
    if (services.sleeps.size() == 2) keys.Type('k');
  };
  SleepMs(1000);
  EXPECT_EQ(services.sleeps, (std::vector<uint32_t>{50, 50}));
  EXPECT_TRUE(KeyWaiting());
}

TEST_F(Pause, MinusOneDiscardsWaitingKeysThenWaitsForANewOne) {
  keys.Type('1');
  keys.Press(72, true);
  keys.Type('3');
  services.on_sleep = [&] {
    if (services.sleeps.size() == 3) keys.Type('4');
  };
  SleepMs(-1);
  EXPECT_EQ(services.sleeps, (std::vector<uint32_t>{50, 50, 50}));
  RtString* key = ReadKey();
  EXPECT_TRUE(RtEqualsText(key, "4"));
  RtRelease(key);
  EXPECT_FALSE(KeyWaiting());
}

TEST(ExeName, ReturnsThePartAfterTheLastBackslash) {
  FakeServices services;
  char buffer[128];
  services.module_path = "C:\\games\\tavrel\\tavrel.exe";
  EXPECT_STREQ(ExeFileName(buffer, 127), "tavrel.exe");
  EXPECT_STREQ(buffer, "C:\\games\\tavrel\\tavrel.exe");
  services.module_path = "tavrel.exe";
  EXPECT_EQ(ExeFileName(buffer, 127), buffer);
  services.module_path = "C:\\long\\path\\name.exe";
  char small[10];
  char* name = ExeFileName(small, 10);
  EXPECT_STREQ(small, "C:\\long\\p");
  EXPECT_STREQ(name, "p");
  services.module_path = "/usr/games/tavrel";
  EXPECT_STREQ(ExeFileName(buffer, 127), "tavrel");
}

TEST(CharCode, BytesInsideTheStringElseZeroAndTemporariesReleased) {
  int before = RtTempInUse();
  EXPECT_EQ(CharCodeAt(RtTempFromBytes("\xFF\x48", 2), 1), 255);
  EXPECT_EQ(CharCodeAt(RtTempFromBytes("\xFF\x48", 2), 2), 72);
  EXPECT_EQ(CharCodeAt(RtTempFromBytes("\xFF\x48", 2), 3), 0);
  EXPECT_EQ(CharCodeAt(RtTempFromBytes("ab", 2), 0), 0);
  EXPECT_EQ(CharCodeAt(RtTempFromBytes("ab", 2), -4), 0);
  EXPECT_EQ(CharCodeAt(RtSharedEmpty(), 1), 0);
  EXPECT_EQ(CharCodeAt(nullptr, 1), 0);
  EXPECT_EQ(RtTempInUse(), before);
  RtString variable = {};
  RtAssignBytes(&variable, "\r", 1);
  EXPECT_EQ(CharCodeAt(&variable, 1), 13);
  EXPECT_EQ(CharCodeAt(&variable, 1), 13);  // a variable is not consumed
  RtClear(&variable);
}

}  // namespace
