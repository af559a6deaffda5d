// The window's key queue, the key and mouse hooks and the key tables, run against
// recording display drivers.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>

#include "console/runtime.h"
#include "gfx/input/keys_internal.h"
#include "gfx/screen.h"
#include "support/screen_fixture.h"

namespace {

void DrainKeyQueue() {
  while (KeyQueueTake() != 0) {
  }
}

// The bytes of a key string; the temporary is given back.
std::string TakeKeyString(RtString* s) {
  std::string bytes = s->data ? std::string(s->data, RtLength(s)) : std::string();
  RtRelease(s);
  return bytes;
}

class KeyTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    DrainKeyQueue();
  }
  void TearDown() override {
    DrainKeyQueue();
    ScreenTest::TearDown();
  }
};

}  // namespace

TEST_F(KeyTest, FullQueueKeepsTheNewestFifteen) {
  for (int32_t code = 1; code <= 16; ++code) KeyQueuePut(code);
  for (int32_t code = 2; code <= 16; ++code) EXPECT_EQ(KeyQueueTake(), code);
  EXPECT_EQ(KeyQueueTake(), 0);

  // The indices wrap round the sixteen slots.
  for (int round = 0; round < 3; ++round) {
    for (int32_t code = 100; code < 110; ++code) KeyQueuePut(code);
    for (int32_t code = 100; code < 110; ++code) EXPECT_EQ(KeyQueueTake(), code);
  }
  KeyQueuePut(0);  // 0 means "no key" and never enters the queue
  EXPECT_EQ(KeyQueueTake(), 0);
}

TEST_F(KeyTest, ReadKeyBuildsKeyStrings) {
  Open(12);
  const struct {
    int32_t code;
    std::string bytes;
  } cases[] = {
      {49, "1"},          {13, "\r"},         {27, "\x1b"},       {1, "\x01"},
      {255, "\xff"},      {256, "\xffX"},     {257, "\xffH"},     {258, "\xffP"},
      {259, "\xffK"},     {260, "\xffM"},     {261, "\xffR"},     {266, "\xffQ"},
      {267, "\xff;"},     {276, "\xff" "D"},  {277, "\xff" "D"},  {100000, "\xff" "D"},
  };
  for (const auto& c : cases) {
    KeyQueuePut(c.code);
    EXPECT_EQ(TakeKeyString(GfxReadKey()), c.bytes) << c.code;
  }
  // Empty queue: an empty string without waiting for a key (a poll may pause
  // for a few milliseconds, never for a key that does not come).
  const auto start = std::chrono::steady_clock::now();
  RtString* empty = GfxReadKey();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
  EXPECT_EQ(RtLength(empty), 0u);
  RtRelease(empty);
  EXPECT_EQ(RtTempInUse(), 0);
  // Every take went through the driver's lock, one lock per take.
  EXPECT_EQ(CountCalls("lock"), 17);
  EXPECT_EQ(CountCalls("unlock"), 17);
}

TEST_F(KeyTest, WithoutAScreenTheKeyHooksFindNothing) {
  KeyQueuePut(49);
  EXPECT_EQ(RtLength(GfxReadKey()), 0u);
  EXPECT_EQ(GfxWaitKey(), 0);
  EXPECT_EQ(GfxKeyIsDown(0x02), 0);
  // The code survives into the next screen.
  Open(12);
  EXPECT_EQ(GfxKeyWaiting(), 1);
  EXPECT_EQ(TakeKeyString(GfxReadKey()), "1");
}

TEST_F(KeyTest, KeyWaitingLooksWithoutTaking) {
  Open(12);
  EXPECT_EQ(GfxKeyWaiting(), 0);
  KeyQueuePut(50);
  EXPECT_EQ(GfxKeyWaiting(), 1);
  EXPECT_EQ(GfxKeyWaiting(), 1);
  EXPECT_EQ(KeyQueueTake(), 50);
  EXPECT_EQ(GfxKeyWaiting(), 0);
  EXPECT_EQ(CountCalls("lock"), 5);
}

TEST_F(KeyTest, WaitKeyPausesAfterEveryLook) {
  Open(12);
  int locks = 0;
  SetTestDriverCallHook([&locks](const RecordedCall& c) {
    // The key arrives while the third look holds the lock.
    if (c.op == "lock" && ++locks == 3) KeyQueuePut(258);
  });
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(GfxWaitKey(), 258);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  SetTestDriverCallHook(nullptr);
  EXPECT_EQ(locks, 3);
  EXPECT_EQ(CountCalls("unlock"), 3);
  EXPECT_GE(elapsed, std::chrono::milliseconds(55));  // three pauses of 20 ms
  EXPECT_EQ(GfxKeyWaiting(), 0);
}

TEST_F(KeyTest, SpecialKeysTranslateFromVirtualKeys) {
  const struct {
    uint32_t vk;
    int32_t code;
  } cases[] = {
      {0x26, 257}, {0x28, 258}, {0x25, 259}, {0x27, 260}, {0x2D, 261}, {0x2E, 262},
      {0x24, 263}, {0x23, 264}, {0x21, 265}, {0x22, 266}, {0x70, 267}, {0x75, 272},
      {0x79, 276}, {0x7A, 0},   {0x7B, 0},   {0x0D, 0},   {0x1B, 0},   {0x31, 0},
      {0x41, 0},   {0x10, 0},   {0x68, 0},   {0x6F, 0},   {0x126, 0},  {0, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(SpecialKeyCode(c.vk), c.code) << c.vk;
  const uint8_t f_keys[] = {0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x44};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(SpecialKeyScanByte(267 + i), f_keys[i]) << i;
  EXPECT_EQ(SpecialKeyScanByte(263), 0x47);
  EXPECT_EQ(SpecialKeyScanByte(264), 0x4F);
  EXPECT_EQ(SpecialKeyScanByte(265), 0x49);
}

TEST(KeyStateTable, RowsCoverTheScanCodesOfAPcKeyboard) {
  int rows = 0;
  bool seen[128] = {};
  for (const KeyStateRow* row = kKeyStateTable; row->scan_code != 0; ++row) {
    ASSERT_LT(row->scan_code, 128);
    EXPECT_FALSE(seen[row->scan_code]) << "twice: " << int(row->scan_code);
    seen[row->scan_code] = true;
    ++rows;
  }
  EXPECT_EQ(rows, 86);
  for (int sc : {0x00, 0x4A, 0x4C, 0x54, 0x55, 0x56, 0x59, 0x60, 0x7C}) EXPECT_FALSE(seen[sc]) << sc;
  for (int sc = 0x01; sc <= 0x49; ++sc) EXPECT_TRUE(seen[sc]) << sc;
}

TEST(KeyStateTable, KeyboardStateSetsTheRowsOfKeysThatAreDown) {
  uint8_t keyboard[256] = {};
  uint8_t state[128];
  std::memset(state, 0x55, sizeof state);  // rows overwrite, other scan codes keep this

  keyboard[0x10] = 0x80;  // Shift, either one
  keyboard[0x31] = 0x81;  // digit 1
  keyboard[0x68] = 0x80;  // keypad 8 counts as Up
  keyboard[0x6F] = 0x80;  // keypad divide counts as "/"
  keyboard[0x41] = 0x01;  // toggled, not down
  RefreshKeyStateFromKeyboard(keyboard, state);
  EXPECT_EQ(state[0x2A], 0xFF);
  EXPECT_EQ(state[0x36], 0xFF);
  EXPECT_EQ(state[0x02], 0xFF);
  EXPECT_EQ(state[0x48], 0xFF);
  EXPECT_EQ(state[0x35], 0xFF);
  EXPECT_EQ(state[0x1E], 0);
  EXPECT_EQ(state[0x01], 0);
  EXPECT_EQ(state[0x4C], 0x55);
  EXPECT_EQ(state[0x00], 0x55);

  // Everything down: exactly the table's rows change.
  std::memset(keyboard, 0x80, sizeof keyboard);
  std::memset(state, 0, sizeof state);
  RefreshKeyStateFromKeyboard(keyboard, state);
  int down = 0;
  for (int sc = 0; sc < 128; ++sc) down += state[sc] == 0xFF;
  EXPECT_EQ(down, 86);
  const struct {
    uint8_t vk;
    uint8_t scan;
  } singles[] = {{0x1B, 0x01}, {0x30, 0x0B}, {0x51, 0x10}, {0x50, 0x19}, {0x0D, 0x1C},
                 {0x11, 0x1D}, {0x4C, 0x26}, {0xC0, 0x29}, {0x4D, 0x32}, {0x12, 0x38},
                 {0x20, 0x39}, {0x79, 0x44}, {0x90, 0x45}, {0x6B, 0x4E}, {0x6E, 0x53},
                 {0x7A, 0x57}, {0x7B, 0x58}, {0x5B, 0x7D}, {0x5D, 0x7F}, {0xBD, 0x0C},
                 {0x6D, 0x0C}, {0xDB, 0x1A}, {0xDE, 0x28}, {0xBF, 0x35}};
  for (const auto& s : singles) {
    uint8_t one[256] = {};
    uint8_t st[128] = {};
    one[s.vk] = 0x80;
    RefreshKeyStateFromKeyboard(one, st);
    EXPECT_EQ(st[s.scan], 0xFF) << int(s.vk);
    int set = 0;
    for (int sc = 0; sc < 128; ++sc) set += st[sc] != 0;
    EXPECT_EQ(set, 1) << int(s.vk);
  }
}

TEST_F(KeyTest, KeyIsDownReadsTheScreensKeyState) {
  Open(12);
  uint8_t keyboard[256] = {};
  keyboard[0x10] = 0x80;
  RefreshKeyStateFromKeyboard(keyboard, g_screen->key_state);
  EXPECT_EQ(GfxKeyIsDown(0x2A), -1);
  EXPECT_EQ(GfxKeyIsDown(0x36), -1);
  EXPECT_EQ(GfxKeyIsDown(0x1D), 0);
  g_screen->key_state[127] = 0xFF;
  g_screen->key_state[0] = 0xFF;
  EXPECT_EQ(GfxKeyIsDown(127), -1);
  EXPECT_EQ(GfxKeyIsDown(0), -1);
  EXPECT_EQ(GfxKeyIsDown(128), 0);
  EXPECT_EQ(GfxKeyIsDown(-1), 0);
  EXPECT_EQ(CountCalls("lock"), 5);  // the out-of-range ones do not lock
}

TEST_F(KeyTest, ReadMouseAsksTheDriver) {
  Open(12);
  int32_t x = 0, y = 0, wheel = 0, buttons = 0;
  SetLastErrorCode(0);
  EXPECT_EQ(GfxReadMouse(&x, &y, &wheel, &buttons), 0);
  EXPECT_EQ(x, 10);
  EXPECT_EQ(y, 20);
  EXPECT_EQ(wheel, 3);
  EXPECT_EQ(buttons, 1);
  EXPECT_EQ(GfxReadMouse(&x, &y, nullptr, nullptr), 0);  // wheel and buttons optional
  EXPECT_EQ(GfxReadMouse(nullptr, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(LastErrorCode(), 0);
  EXPECT_EQ(CountCalls("get_mouse"), 3);
  EXPECT_EQ(CountCalls("lock"), 3);

  SetTestDriverMouseResult(-1);  // pointer outside the window
  x = y = wheel = buttons = 5;
  EXPECT_EQ(GfxReadMouse(&x, &y, &wheel, &buttons), 1);
  EXPECT_EQ(LastErrorCode(), 1);
  EXPECT_EQ(x, -1);
  EXPECT_EQ(y, -1);
  EXPECT_EQ(wheel, -1);
  EXPECT_EQ(buttons, -1);
  EXPECT_EQ(GfxReadMouse(&x, &y, nullptr, nullptr), 1);
  EXPECT_EQ(g_screen->state_flags & kStateScreenLocked, 0u);

  ScreenSetMode(0, 0, 0, 0, 0);
  ClearDriverCalls();
  SetLastErrorCode(0);
  x = y = wheel = buttons = 5;
  EXPECT_EQ(GfxReadMouse(&x, &y, &wheel, &buttons), 1);
  EXPECT_EQ(LastErrorCode(), 1);
  EXPECT_EQ(x + y + wheel + buttons, -4);
  EXPECT_EQ(DriverCalls().size(), 0u);
}

TEST_F(KeyTest, SetMouseNeedsAScreen) {
  SetLastErrorCode(0);
  EXPECT_EQ(GfxSetMouse(1, 2, 1), 1);
  EXPECT_EQ(LastErrorCode(), 1);
  Open(12);
  SetLastErrorCode(0);
  EXPECT_EQ(GfxSetMouse(100, 50, 0), 0);
  EXPECT_EQ(LastErrorCode(), 0);
  ASSERT_EQ(CountCalls("set_mouse"), 1);
  std::vector<std::string> ops;
  for (const RecordedCall& c : DriverCalls()) ops.push_back(c.op);
  EXPECT_EQ(ops, (std::vector<std::string>{"lock", "set_mouse", "unlock"}));
  EXPECT_EQ(DriverCalls()[1].args, (std::vector<int32_t>{100, 50, 0}));
}

TEST_F(KeyTest, OpenScreenServesTheConsoleKeyOperations) {
  Open(12);
  KeyQueuePut(51);
  EXPECT_EQ(g_console_hooks.key_waiting(), 1);
  EXPECT_EQ(TakeKeyString(g_console_hooks.read_key()), "3");
  EXPECT_EQ(g_console_hooks.key_waiting(), 0);
}
