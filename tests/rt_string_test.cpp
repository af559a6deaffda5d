// The counted string: temporaries handed over on assignment, pool exhaustion.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/rt_string.h"
#include "console/rt_string_internal.h"
#include "console/runtime.h"

TEST(RtString, AssigningATemporaryTakesOverItsBufferAndFreesTheDescriptor) {
  int before = RtTempInUse();
  RtString* t = RtTempFromBytes("abc", 3);
  ASSERT_TRUE(RtIsTemp(t));
  char* buffer = t->data;
  RtString v = {};
  RtAssign(&v, t);
  EXPECT_EQ(v.data, buffer);
  EXPECT_EQ(RtLength(&v), 3u);
  EXPECT_FALSE(RtIsTemp(&v));
  EXPECT_STREQ(v.data, "abc");
  EXPECT_EQ(RtTempInUse(), before);
  RtClear(&v);
}

TEST(RtString, AssigningAVariableCopiesIt) {
  RtString a = {}, b = {};
  RtAssignBytes(&a, "xy", 2);
  RtAssign(&b, &a);
  EXPECT_NE(a.data, b.data);
  EXPECT_TRUE(RtEqualsText(&b, "xy"));
  RtAppendBytes(&b, "z", 1);
  EXPECT_TRUE(RtEqualsText(&b, "xyz"));
  EXPECT_TRUE(RtEqualsText(&a, "xy"));
  RtClear(&a);
  RtClear(&b);
}

namespace {
std::vector<std::string> g_told;
void Capture(const char* line) { g_told.emplace_back(line); }
}  // namespace

// Exhausted, the pool gives the shared empty string, and the program is told
// once, in one line that names what to do, through the handler it chose.
TEST(RtString, ExhaustedPoolGivesTheSharedEmptyStringAndSaysSoOnce) {
  g_told.clear();
  RtForgetExhaustionTold();
  RuntimeDiagnosticHandler previous = RuntimeSetDiagnosticHandler(Capture);
  std::vector<RtString*> taken;
  for (int i = RtTempInUse(); i < kRtTempPoolSize; ++i) taken.push_back(RtTempFromBytes("k", 1));
  EXPECT_EQ(RtTempInUse(), kRtTempPoolSize);
  EXPECT_TRUE(g_told.empty());
  RtString* extra = RtTempFromBytes("k", 1);
  EXPECT_EQ(extra, RtSharedEmpty());
  EXPECT_EQ(RtLength(extra), 0u);
  EXPECT_EQ(RtTempFromCString("again"), RtSharedEmpty());
  ASSERT_EQ(g_told.size(), 1u);
  EXPECT_NE(g_told[0].find("all 256 temporary strings are in use"), std::string::npos);
  EXPECT_NE(g_told[0].find("RtRelease"), std::string::npos);
  EXPECT_EQ(g_told[0].find('\n'), std::string::npos);
  for (RtString* s : taken) RtRelease(s);
  RtRelease(extra);  // releasing the shared empty string is harmless
  EXPECT_EQ(RtLength(RtSharedEmpty()), 0u);
  RtString* again = RtTempFromBytes("k", 1);
  EXPECT_NE(again, RtSharedEmpty());
  RtRelease(again);
  EXPECT_EQ(RuntimeSetDiagnosticHandler(previous), Capture);
}

TEST(RtString, WholeStringComparison) {
  RtString* t = RtTempFromBytes("1\0", 2);
  EXPECT_FALSE(RtEqualsText(t, "1"));  // two bytes never equal a one-byte text
  RtRelease(t);
  EXPECT_TRUE(RtEqualsText(RtSharedEmpty(), ""));
  EXPECT_FALSE(RtEqualsText(RtSharedEmpty(), "1"));
}
