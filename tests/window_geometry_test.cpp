// The window layer's platform-neutral arithmetic: class names, centring, the
// span of changed rows, clamps, retrace time and wheel steps.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "gfx/window/window_geometry.h"

namespace {

TEST(WindowGeometry, ClassNameIsPrefixPlusTitleWithinItsBuffer) {
  char name[kClassNameSize];
  BuildClassName("tavrel", name);
  EXPECT_STREQ(name, "kvgfxclass_tavrel");
  BuildClassName(nullptr, name);
  EXPECT_STREQ(name, "kvgfxclass_");
  std::string long_title(200, 'x');
  std::memset(name, '#', sizeof name);
  BuildClassName(long_title.c_str(), name);
  EXPECT_EQ(std::strlen(name), static_cast<size_t>(kClassNameSize - 1));
  EXPECT_EQ(std::string(name, 11), "kvgfxclass_");
  // A 127-character title, the longest a screen gives, fits whole.
  std::string title127(127, 't');
  BuildClassName(title127.c_str(), name);
  EXPECT_EQ(std::string(name), "kvgfxclass_" + title127);
}

TEST(WindowGeometry, CentringRoundsHalvesDown) {
  int32_t x = 0, y = 0;
  CentredOrigin(1024, 768, 646, 505, &x, &y);
  EXPECT_EQ(x, 189);
  EXPECT_EQ(y, 131);
  // A window larger than the screen starts left of and above it, rounded down.
  CentredOrigin(640, 480, 647, 505, &x, &y);
  EXPECT_EQ(x, -4);
  EXPECT_EQ(y, -13);
}

TEST(WindowGeometry, DirtySpanFindsFirstAndLastSetFlag) {
  uint8_t dirty[480] = {};
  int32_t first = -1, last = -1;
  EXPECT_FALSE(FindDirtySpan(dirty, 480, &first, &last));
  EXPECT_EQ(first, -1);
  dirty[100] = 255;
  dirty[300] = 255;
  ASSERT_TRUE(FindDirtySpan(dirty, 480, &first, &last));
  EXPECT_EQ(first, 100);
  EXPECT_EQ(last, 300);
  dirty[0] = 255;
  dirty[479] = 255;
  ASSERT_TRUE(FindDirtySpan(dirty, 480, &first, &last));
  EXPECT_EQ(first, 0);
  EXPECT_EQ(last, 479);
  // Only the given count is scanned.
  std::memset(dirty, 0, sizeof dirty);
  dirty[479] = 255;
  EXPECT_FALSE(FindDirtySpan(dirty, 240, &first, &last));
  EXPECT_FALSE(FindDirtySpan(nullptr, 480, &first, &last));
}

TEST(WindowGeometry, ClampRetraceAndWheel) {
  EXPECT_EQ(ClampInt(-5, 0, 639), 0);
  EXPECT_EQ(ClampInt(640, 0, 639), 639);
  EXPECT_EQ(ClampInt(17, 0, 639), 17);
  // A 350-row picture 65 rows down a 480-row display.
  EXPECT_EQ(PictureRowAt(65, 65, 350), 0);
  EXPECT_EQ(PictureRowAt(414, 65, 350), 349);
  EXPECT_EQ(PictureRowAt(10, 65, 350), 0) << "the band above the picture";
  EXPECT_EQ(PictureRowAt(470, 65, 350), 349) << "the band below";
  EXPECT_EQ(RetraceMilliseconds(60), 16);
  EXPECT_EQ(RetraceMilliseconds(75), 13);
  EXPECT_EQ(RetraceMilliseconds(0), 16);
  EXPECT_EQ(RetraceMilliseconds(-1), 16) << "a bogus rate must not become a huge sleep";
  EXPECT_EQ(RetraceMilliseconds(1), 16) << "1 is the hardware's default rate, not 1 Hz";
  EXPECT_EQ(RetraceMilliseconds(22), 16);
  EXPECT_EQ(RetraceMilliseconds(23), 43) << "a 23.976 Hz television mode";
  EXPECT_EQ(WheelStep(0x00780000), 1);   // delta +120
  EXPECT_EQ(WheelStep(0x02D00000), 1);   // delta +720: still one notch
  EXPECT_EQ(WheelStep(0xFF880000u), -1); // delta -120
  // Only the low 32 bits count, read as a signed number.
  EXPECT_EQ(WheelStep(static_cast<int64_t>(0xFFFFFFFF00780000ull)), 1);
}

// The program's work between waits is part of the frame: a frame that takes
// 5 ms of a 16 ms period waits 11; one that takes 20 waits for the retrace
// after (12); waits back to back wait a whole period.
TEST(WindowGeometry, RetraceWaitEndsAtTheNextRetraceOfItsGrid) {
  int64_t retrace = 0;
  EXPECT_EQ(RetraceWaitMs(1'000'000, 16, &retrace), 16) << "the first wait: one whole period";
  EXPECT_EQ(retrace, 1'016'000);
  EXPECT_EQ(RetraceWaitMs(1'021'000, 16, &retrace), 11);
  EXPECT_EQ(RetraceWaitMs(1'052'000, 16, &retrace), 12);
  EXPECT_EQ(retrace, 1'064'000);
  EXPECT_EQ(RetraceWaitMs(1'064'000, 16, &retrace), 16);
  EXPECT_EQ(RetraceWaitMs(1'079'500, 16, &retrace), 1) << "rounded up: never before the retrace";
  EXPECT_EQ(RetraceWaitMs(9'004'000, 16, &retrace), 12) << "after a long pause, the same grid";
  EXPECT_EQ(retrace, 9'016'000);
  // A grid far ahead (another clock) starts afresh.
  EXPECT_EQ(RetraceWaitMs(5'000'000, 16, &retrace), 16);
}

TEST(WindowGeometry, PassPauseKeepsTenMillisecondPeriod) {
  int64_t due = 1000000;  // the pass just made was due at 1 s
  // Pass done 0.4 ms after it was due: 9.6 ms to go, rounded to 10.
  EXPECT_EQ(PassPauseMs(1000400, &due), 10);
  EXPECT_EQ(due, 1010000);
  // Woke 2.5 ms late and worked 0.5 ms: the pause shrinks to keep the period.
  EXPECT_EQ(PassPauseMs(1013000, &due), 7);
  EXPECT_EQ(due, 1020000);
  // Nearly a whole period late: at least 1 ms, so the lock is still let go.
  EXPECT_EQ(PassPauseMs(1029900, &due), 1);
  EXPECT_EQ(due, 1030000);
  // More than a period behind: start afresh, no burst of short pauses.
  EXPECT_EQ(PassPauseMs(1055000, &due), 10);
  EXPECT_EQ(due, 1065000);
  EXPECT_EQ(PassPauseMs(1065200, &due), 10);
  // A clock that went back (or a first call) never asks for a longer pause.
  due = 5000000;
  EXPECT_EQ(PassPauseMs(1000000, &due), 10);
  EXPECT_EQ(due, 1010000);
}

TEST(WindowGeometry, FollowUpPassesUntilTheAnswerHasShown) {
  int64_t due = 1000000;
  FollowUps f;
  // No key: the regular period.
  EXPECT_EQ(NextPassPauseMs(1000300, false, true, &due, &f), 10);
  EXPECT_EQ(due, 1010000);
  // A key queued; rows shown in the same pass were drawn before it and do not
  // end the early passes.
  EXPECT_EQ(NextPassPauseMs(1010300, true, true, &due, &f), 2);
  EXPECT_EQ(due, 1012300);
  // The program woke late: nothing to show yet, early passes go on, and the
  // thread must not fall into its idle sleep meanwhile.
  EXPECT_EQ(NextPassPauseMs(1012400, false, false, &due, &f), 2);
  EXPECT_FALSE(PassFoundNothing(false, false, f));
  // Half the answer drawn, then the rest.
  EXPECT_EQ(NextPassPauseMs(1014500, false, true, &due, &f), 2);
  EXPECT_EQ(NextPassPauseMs(1016600, false, true, &due, &f), 2);
  // The last early pass was due at 1,018,600: nothing more to show ends them,
  // and the period resumes from there, not with a catch-up.
  EXPECT_EQ(NextPassPauseMs(1018700, false, false, &due, &f), 10);
  EXPECT_EQ(due, 1028600);
  EXPECT_EQ(NextPassPauseMs(1028700, false, false, &due, &f), 10);
  // Once they are over, a pass with nothing shown and no input found nothing.
  EXPECT_TRUE(PassFoundNothing(false, false, f));
  EXPECT_FALSE(PassFoundNothing(false, true, f));
}

TEST(WindowGeometry, FollowUpPassesAreBounded) {
  int64_t due = 0;
  FollowUps f;
  // An answer that never shows (a key the program ignores) costs four early passes.
  EXPECT_EQ(NextPassPauseMs(100, true, false, &due, &f), 2);
  for (int i = 0; i < kMaxFollowUpPasses - 1; ++i) EXPECT_EQ(NextPassPauseMs(2200 + 2100 * i, false, false, &due, &f), 2);
  EXPECT_EQ(NextPassPauseMs(8600, false, false, &due, &f), 10);
  // A program that keeps drawing (an animation) does not keep them going either.
  EXPECT_EQ(NextPassPauseMs(18700, true, true, &due, &f), 2);
  for (int i = 0; i < kMaxFollowUpPasses - 1; ++i) EXPECT_EQ(NextPassPauseMs(20800 + 2100 * i, false, true, &due, &f), 2);
  EXPECT_EQ(NextPassPauseMs(27100, false, true, &due, &f), 10);
  // A key in the middle of the early passes starts them afresh.
  EXPECT_EQ(NextPassPauseMs(37200, true, false, &due, &f), 2);
  EXPECT_EQ(NextPassPauseMs(39300, false, false, &due, &f), 2);
  EXPECT_EQ(NextPassPauseMs(41400, true, false, &due, &f), 2);
  for (int i = 0; i < kMaxFollowUpPasses - 1; ++i) EXPECT_EQ(NextPassPauseMs(43500 + 2100 * i, false, false, &due, &f), 2);
  EXPECT_EQ(NextPassPauseMs(49800, false, false, &due, &f), 10);
}

}  // namespace
