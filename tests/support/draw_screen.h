// Screens for the drawing and text tests, opened by the mode switch on a recording
// test driver, with helpers to read back pixels and dirty rows.
#pragma once
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

// Opens the mode with no pixel changed and no row flagged; depth as the mode
// switch takes it (modes 14 and above).
void OpenDrawScreen(int32_t mode, int32_t depth = 0);
void CloseDrawScreen();

uint32_t PixelAt(int32_t x, int32_t y);
// Every pixel that differs from value, as (x, y) pairs.
std::set<std::pair<int32_t, int32_t>> PixelsNot(uint32_t value);
std::vector<int32_t> DirtyRows();
// lo, lo + 1, ..., hi.
std::vector<int32_t> Range(int32_t lo, int32_t hi);
void ClearDirty();
// Lock calls made by the screen's driver since the screen was opened or counted.
int LockCount();
int UnlockCount();
void ResetDriverCounts();

class DrawScreenTest : public ::testing::Test {
 protected:
  void TearDown() override { CloseDrawScreen(); }
};
