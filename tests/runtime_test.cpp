// The run-time frame: start (file table, floating-point control word, handles,
// module start list), end (module end list, exit status) and the error code.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "console/fpu.h"
#include "console/runtime_internal.h"
#include "support/fake_console.h"

namespace {

std::vector<int> g_start_calls;
void FirstStart() { g_start_calls.push_back(1); }
void SecondStart() { g_start_calls.push_back(2); }
void EndRoutine() { std::fputs("module end ran\n", stderr); }

TEST(RuntimeFrame, StartClearsTheFileTableAndFetchesBothHandles) {
  FakeConsole console(80, 25, 24);
  g_file_table[5] = FileSlot{nullptr, 9, 2, 128};
  g_file_table[255].print_column = 3;
  RuntimeInit(0, nullptr);
  EXPECT_EQ(g_file_table[5].print_column, 0);
  EXPECT_EQ(g_file_table[5].record_length, 0);
  EXPECT_EQ(g_file_table[255].print_column, 0);
  EXPECT_EQ(StdInputHandle(), reinterpret_cast<void*>(1));
  EXPECT_EQ(StdOutputHandle(), reinterpret_cast<void*>(2));
  EXPECT_EQ(FileStream(0), nullptr);
  EXPECT_EQ(FileStream(256), nullptr);
}

TEST(RuntimeFrame, StartSetsExtendedPrecisionAndNearestRoundingOnly) {
  if (!FpuControlAvailable()) GTEST_SKIP() << "no x87 unit on this build";
  FakeConsole console(80, 25, 24);
  const uint16_t original = FpuGetControlWord();
  // 53-bit precision, rounding down; the exception masks as they were.
  uint16_t prepared = static_cast<uint16_t>((original & ~0x0F00) | 0x0200 | 0x0400);
  FpuSetControlWord(prepared);
  ASSERT_EQ(FpuGetControlWord(), prepared);
  RuntimeInit(0, nullptr);
  uint16_t word = FpuGetControlWord();
  FpuSetControlWord(original);
  EXPECT_EQ(word & kFpuPrecisionMask, kFpuPrecision64);
  EXPECT_EQ(word & kFpuRoundingMask, kFpuRoundNearest);
  EXPECT_EQ(word & ~0x0F00, prepared & ~0x0F00);
}

TEST(RuntimeFrame, ModuleStartListRunsInOrderAtEveryStart) {
  FakeConsole console(80, 25, 24);
  g_start_calls.clear();
  ASSERT_TRUE(RuntimeAddModuleStart(FirstStart));
  ASSERT_TRUE(RuntimeAddModuleStart(SecondStart));
  EXPECT_FALSE(RuntimeAddModuleStart(nullptr));
  RuntimeInit(0, nullptr);
  EXPECT_EQ(g_start_calls, (std::vector<int>{1, 2}));
}

TEST(RuntimeFrameDeathTest, EndRunsTheModuleEndListThenExitsWithTheCode) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        RuntimeAddModuleEnd(EndRoutine);
        RuntimeEnd(3);
      },
      ::testing::ExitedWithCode(3), "module end ran");
  EXPECT_EXIT(RuntimeEnd(0), ::testing::ExitedWithCode(0), "");
}

TEST(RuntimeFrame, LastErrorCodeIsSetAndReturned) {
  EXPECT_EQ(SetLastErrorCode(kErrorWriteFailed), kErrorWriteFailed);
  EXPECT_EQ(LastErrorCode(), kErrorWriteFailed);
  EXPECT_EQ(SetLastErrorCode(kErrorNone), kErrorNone);
  EXPECT_EQ(LastErrorCode(), kErrorNone);
}

}  // namespace

// A diagnostic is one line on standard error unless the program redirects it,
// and nothing at all once it passes null.
TEST(RuntimeFrame, DiagnosticsGoToStandardErrorUntilRedirectedOrSilenced) {
  testing::internal::CaptureStderr();
  RuntimeDiagnostic("tavrel: one line");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "tavrel: one line\n");
  RuntimeDiagnosticHandler previous = RuntimeSetDiagnosticHandler(nullptr);
  EXPECT_EQ(previous, RuntimeDefaultDiagnostics);
  testing::internal::CaptureStderr();
  RuntimeDiagnostic("tavrel: dropped");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(RuntimeSetDiagnosticHandler(previous), nullptr);
}
