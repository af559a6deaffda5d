// Keys on the text console: console key events translated into _getch codes,
// the KeyString operations built on them, and the hook dispatch.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "console/console.h"
#include "console/console_keys.h"
#include "console/key_poll_pacing.h"
#include "console/key_translate.h"
#include "console/print.h"
#include "console/text_console.h"
#include "support/fake_console.h"
#include "support/fake_input.h"

namespace {

std::string Codes(uint16_t scan, uint8_t ch, uint32_t state, bool down = true) {
  KeyCodes k = TranslateKeyRecord(KeyRecord(down, scan, ch, state));
  std::string out;
  for (int i = 0; i < k.count; ++i) out += std::to_string(k.bytes[i]) + (i + 1 < k.count ? "," : "");
  return out;
}

TEST(KeyTranslation, ExtendedKeysGiveTheirPrefixAndCode) {
  EXPECT_EQ(Codes(72, 0, kKeyEnhanced), "224,72");               // Up (cursor block)
  EXPECT_EQ(Codes(80, 0, kKeyEnhanced | kKeyShift), "224,80");   // Shift+Down
  EXPECT_EQ(Codes(72, 0, kKeyEnhanced | kKeyLeftCtrl), "224,141");
  EXPECT_EQ(Codes(75, 0, kKeyEnhanced | kKeyLeftAlt), "0,155");
  EXPECT_EQ(Codes(83, 0, kKeyEnhanced), "224,83");               // Delete
  EXPECT_EQ(Codes(72, 0, 0), "0,72");                            // keypad Up, Num Lock off
  EXPECT_EQ(Codes(59, 0, 0), "0,59");                            // F1
  EXPECT_EQ(Codes(68, 0, 0), "0,68");                            // F10
  EXPECT_EQ(Codes(59, 0, kKeyShift), "0,84");
  EXPECT_EQ(Codes(60, 0, kKeyRightCtrl), "0,95");
  EXPECT_EQ(Codes(68, 0, kKeyLeftAlt), "0,113");
  EXPECT_EQ(Codes(87, 0, 0), "224,133");                         // F11
  EXPECT_EQ(Codes(88, 0, 0), "224,134");                         // F12
  EXPECT_EQ(Codes(88, 0, kKeyLeftAlt), "224,140");
}

TEST(KeyTranslation, CharactersAndAltCombinations) {
  EXPECT_EQ(Codes(28, 13, 0), "13");                             // Enter
  EXPECT_EQ(Codes(1, 27, 0), "27");                              // Escape
  EXPECT_EQ(Codes(2, '1', 0), "49");
  EXPECT_EQ(Codes(0, 0x80, 0), "128");                           // code page 866 letters
  EXPECT_EQ(Codes(0, 0xE0, 0), "224");
  EXPECT_EQ(Codes(0, 0xFF, 0), "255");
  EXPECT_EQ(Codes(30, 'a', kKeyLeftAlt), "0,30");                // Alt+A
  EXPECT_EQ(Codes(44, 'z', kKeyRightAlt), "0,44");               // Alt+Z
  EXPECT_EQ(Codes(2, '1', kKeyLeftAlt), "0,120");                // Alt+1
  EXPECT_EQ(Codes(13, '=', kKeyLeftAlt), "0,131");               // Alt+=
  EXPECT_EQ(Codes(28, 13, kKeyLeftAlt), "0,28");                 // Alt+Enter
  EXPECT_EQ(Codes(16, '@', kKeyRightAlt | kKeyLeftCtrl), "64");  // AltGr+Q keeps its character
  EXPECT_EQ(Codes(30, 1, kKeyLeftCtrl), "1");                    // Ctrl+A
  EXPECT_EQ(Codes(3, 0, kKeyLeftCtrl), "0,3");                   // Ctrl+2 (NUL)
}

TEST(KeyTranslation, KeyUpsModifiersAndOtherEventsGiveNothing) {
  EXPECT_EQ(Codes(72, 0, kKeyEnhanced, false), "");
  EXPECT_EQ(Codes(2, '1', 0, false), "");
  EXPECT_EQ(Codes(42, 0, kKeyShift), "");                         // Shift
  EXPECT_EQ(Codes(54, 0, kKeyShift), "");
  EXPECT_EQ(Codes(29, 0, kKeyLeftCtrl), "");                      // Ctrl
  EXPECT_EQ(Codes(29, 0, kKeyRightCtrl | kKeyEnhanced), "");
  EXPECT_EQ(Codes(56, 0, kKeyLeftAlt), "");                       // Alt
  EXPECT_EQ(Codes(56, 0, kKeyRightAlt | kKeyEnhanced), "");
  EXPECT_EQ(Codes(58, 0, 0), "");                                 // Caps Lock
  EXPECT_EQ(Codes(91, 0, kKeyEnhanced), "");                      // Windows key
  ConsoleKeyRecord mouse = {};
  mouse.key_down = true;
  mouse.char_code = 'x';
  EXPECT_EQ(TranslateKeyRecord(mouse).count, 0);
}

struct TextKeys : ::testing::Test {
  FakeKeys keys;
};

std::string Take(RtString* key) {
  std::string bytes(key->data ? key->data : "", RtLength(key));
  RtRelease(key);
  return bytes;
}

TEST_F(TextKeys, ReadKeyNeverWaitsAndSeesALoneKeyDownAtOnce) {
  int before = RtTempInUse();
  EXPECT_EQ(ConsoleReadKey(), RtSharedEmpty());
  EXPECT_EQ(keys.peeks, 0);  // an empty queue known as such is not looked at
  keys.Add(KeyRecord(false, 2, '1', 0));  // key-ups and Shift alone are skipped and dropped
  keys.Add(KeyRecord(true, 42, 0, kKeyShift));
  EXPECT_FALSE(ConsoleKeyWaiting());
  EXPECT_TRUE(keys.queue.empty());
  keys.Add(KeyRecord(true, 2, '1', 0));
  EXPECT_TRUE(ConsoleKeyWaiting());
  EXPECT_TRUE(ConsoleKeyWaiting());  // looking consumes nothing
  EXPECT_EQ(Take(ConsoleReadKey()), "1");
  EXPECT_EQ(ConsoleReadKey(), RtSharedEmpty());
  EXPECT_EQ(RtTempInUse(), before);
}

// A program that only polls comes to sleep in ReadKey, and is woken by the key;
// one that works or shows something between polls is never made to wait.
TEST_F(TextKeys, OnlyALoopThatDoesNothingBetweenPollsSleeps) {
  for (int i = 0; i < kQuietPollsBeforeWaiting + 3; ++i) {
    EXPECT_EQ(ConsoleReadKey(), RtSharedEmpty());
  }
  // The first poll has no previous one to measure from; then the quiet polls
  // return at once until the threshold, and each one after it waits.
  EXPECT_EQ(keys.waits, (std::vector<int32_t>{kPacedPollWaitMs, kPacedPollWaitMs}));

  keys.on_wait = [this] { keys.Type('7'); };
  EXPECT_EQ(Take(ConsoleReadKey()), "7") << "the key that ended the wait comes from that poll";
  keys.on_wait = nullptr;
  keys.waits.clear();

  keys.Type('8');
  EXPECT_EQ(Take(ConsoleReadKey()), "8");
  EXPECT_TRUE(keys.waits.empty()) << "a waiting key is returned at once";

  for (int i = 0; i < 1000; ++i) {
    FakeKeys::poll_clock_us += 10;  // ten microseconds of work per step
    EXPECT_EQ(ConsoleReadKey(), RtSharedEmpty());
  }
  for (int i = 0; i < 20; ++i) {
    NoteProgramActivity();  // an animation's frame drawn in no time
    EXPECT_EQ(ConsoleReadKey(), RtSharedEmpty());
  }
  EXPECT_TRUE(keys.waits.empty());
}

// The longer a program has only waited, the longer each paced poll sleeps:
// never more than a twentieth of the wait so far, nor more than 100 ms. A lone
// slow gap between polls (a thread resuming from cold caches) does not end the
// quiet spell.
TEST_F(TextKeys, PacedPollsSleepLongerAfterALongQuietSpell) {
  std::vector<int64_t> waited_at;
  keys.on_wait = [&] {
    waited_at.push_back(FakeKeys::poll_clock_us);
    FakeKeys::poll_clock_us += int64_t{keys.waits.back()} * 1000;
  };
  for (int i = 0; FakeKeys::poll_clock_us < 5000000; ++i) {
    if (i % 7 == 6) FakeKeys::poll_clock_us += 50;
    EXPECT_EQ(ConsoleReadKey(), RtSharedEmpty());
  }
  for (size_t i = 0; i < keys.waits.size(); ++i) {
    EXPECT_LE(keys.waits[i], std::max<int64_t>(kPacedPollWaitMs, waited_at[i] / 20000)) << i;
  }
  EXPECT_EQ(keys.waits.front(), kPacedPollWaitMs);
  EXPECT_EQ(keys.waits.back(), kLongestPacedPollWaitMs);
}

// A browser's clock, in steps of 100 us whose edges move at random by up to a
// step: a loop of empty polls that costs `step_us` each, run for `seconds` of
// real time; paced polls sleep their whole time. Returns the number of sleeps
// and the polls made.
struct CoarseRun {
  int sleeps = 0;
  int64_t polls = 0;
};
CoarseRun RunOnCoarseClock(KeyPollPacer* pacer, double* real_us, double step_us, double seconds) {
  CoarseRun run;
  for (const double end = *real_us + seconds * 1e6; *real_us < end; ++run.polls) {
    if (run.polls % 997 == 996) *real_us += 2000;  // the system takes the thread away
    const int64_t bucket = static_cast<int64_t>(*real_us / 100);
    const double edge = static_cast<double>((bucket * 2654435761u) % 100);  // where this step's edge lies
    const int64_t shown = (*real_us - bucket * 100.0 < edge ? bucket - 1 : bucket) * 100;
    const int32_t ms = EmptyPollWaitMsCoarse(pacer, shown, false);
    pacer->has_left = true;
    if (ms > 0) ++run.sleeps;
    *real_us += step_us + ms * 1000.0;
  }
  return run;
}

TEST(CoarseClockPacing, WaitingLoopsSleepAndWorkingLoopsNeverDo) {
  KeyPollPacer pacer;
  double real_us = 12345.6;
  const CoarseRun waiting = RunOnCoarseClock(&pacer, &real_us, 0.5, 5.0);
  EXPECT_GT(waiting.sleeps, 40);
  EXPECT_LT(waiting.sleeps, 200) << "sleeps grow longer in a long wait";
  // After each wake the loop polls for a few steps of the clock.
  EXPECT_LT(waiting.polls, int64_t{waiting.sleeps + 1} * 5 * 200);
  const CoarseRun working = RunOnCoarseClock(&pacer, &real_us, 10.5, 2.0);
  EXPECT_LE(working.sleeps, 1) << "only the sleep it was in when it began to work";
  EXPECT_EQ(RunOnCoarseClock(&pacer, &real_us, 10.5, 2.0).sleeps, 0);
  EXPECT_EQ(RunOnCoarseClock(&pacer, &real_us, 2.5, 0.01).sleeps, 1) << "a poll every 2.5 us only waits";
}

TEST_F(TextKeys, ExtendedKeysBecomeTwoByteKeyStrings) {
  keys.Press(72, true);
  keys.Press(59, false);
  keys.Press(134, false);  // a scan code without a code: nothing
  keys.Type(13, 28);
  EXPECT_EQ(Take(ConsoleReadKey()), "\xFF\x48");
  EXPECT_EQ(Take(ConsoleReadKey()), std::string("\xFF") + char(59));
  EXPECT_EQ(Take(ConsoleReadKey()), "\r");
  EXPECT_EQ(ConsoleReadKey(), RtSharedEmpty());
  EXPECT_TRUE(keys.queue.empty());
}

TEST_F(TextKeys, TypedCharacter224StaysOneKeyAndSwallowsNothing) {
  keys.Type(0xE0);
  keys.Type('2');
  RtString* key = ConsoleReadKey();
  EXPECT_EQ(Take(key), "\xE0");
  EXPECT_EQ(Take(ConsoleReadKey()), "2");
  keys.Type(0xE0);
  EXPECT_EQ(ConsoleWaitKey(), 224);
}

TEST_F(TextKeys, WaitKeyGivesTheBareScanCodeOfExtendedKeys) {
  keys.Press(72, true);
  keys.Type('H');
  keys.Type(27);
  EXPECT_EQ(ConsoleWaitKey(), 72);
  EXPECT_EQ(ConsoleWaitKey(), 72);
  EXPECT_EQ(ConsoleWaitKey(), 27);
}

TEST_F(TextKeys, GetchDeliversPrefixThenCodeAndKbhitSeesTheSecondHalf) {
  keys.Press(77, true);
  keys.Press(60, false);
  EXPECT_EQ(ConsoleGetch(), 224);
  EXPECT_TRUE(ConsoleKbhit());
  EXPECT_EQ(ConsoleGetch(), 77);
  EXPECT_EQ(ConsoleGetch(), 0);
  // A KeyString read in the middle of a key still comes out whole.
  EXPECT_EQ(Take(ConsoleReadKey()), std::string("\xFF") + char(60));
  EXPECT_FALSE(ConsoleKbhit());
}

int32_t g_hook_calls = 0;
RtString* HookReadKey() {
  ++g_hook_calls;
  return RtTempFromBytes("\xFFX", 2);
}
int32_t HookWaitKey() { return 1000 + ++g_hook_calls; }
int32_t HookKeyWaiting() { return 77; }
int32_t HookLocate(int32_t row, int32_t column, int32_t visibility) {
  return row * 10000 + column * 100 + visibility;
}
void HookTextSize(int32_t* columns, int32_t* rows) {
  if (columns) *columns = 640 / 8;
  if (rows) *rows = 480 / 16;
}
std::string g_hook_written;
void HookWrite(const char* bytes, int32_t length, int32_t) { g_hook_written.append(bytes, length); }
int32_t HookCursorColumn() { return 41; }

TEST(HookDispatch, InstalledSlotsAreCalledAndEmptySlotsFallBackToTheTextConsole) {
  FakeConsole console(80, 25, 24);
  FakeKeys keys;
  ConsoleHooks saved = g_console_hooks;
  g_console_hooks = ConsoleHooks{};
  g_console_hooks.read_key = HookReadKey;
  g_console_hooks.wait_key = HookWaitKey;
  g_console_hooks.key_waiting = HookKeyWaiting;
  g_console_hooks.locate = HookLocate;
  g_console_hooks.text_size = HookTextSize;
  g_console_hooks.write_text = HookWrite;
  g_console_hooks.cursor_column = HookCursorColumn;
  EXPECT_EQ(Take(ReadKey()), "\xFFX");
  EXPECT_EQ(WaitKey(), 1002);
  EXPECT_EQ(KeyWaiting(), 77);
  EXPECT_EQ(Locate(3, 4, 1), 30401);
  PrintCString(0, "ab", kPrintNewline);
  EXPECT_EQ(g_hook_written, "ab\n");
  EXPECT_EQ(console.written, "");
  EXPECT_EQ(SetColor(2, 1), 7);  // an empty slot: the text console
  EXPECT_EQ(console.text_attribute, 2 + 16);

  g_console_hooks = ConsoleHooks{};  // back to text mode
  keys.Type('q');
  EXPECT_EQ(Take(ReadKey()), "q");
  EXPECT_EQ(WaitKey(), -1);  // the text console: no input left
  console.cursor_x = 5;
  EXPECT_EQ(CursorColumn(), 6);
  EXPECT_EQ(Locate(2, 3, -1), 0x10000 | (2 << 8) | 3);
  PrintCString(0, "cd", 0);
  EXPECT_EQ(console.Row(1), "  cd");
  g_console_hooks = saved;
}

TEST(HookDispatch, ReadLineUsesTheSlotOnlyForStandardInput) {
  FakeLines lines("typed\n");
  FILE* stream = std::tmpfile();
  ASSERT_NE(stream, nullptr);
  std::fputs("from file\n", stream);
  std::rewind(stream);
  char buffer[32];
  ASSERT_NE(ReadLine(buffer, sizeof buffer, stream), nullptr);
  EXPECT_STREQ(buffer, "from file\n");
  EXPECT_TRUE(lines.read_sizes.empty());
  ASSERT_NE(ReadLine(buffer, sizeof buffer, stdin), nullptr);
  EXPECT_STREQ(buffer, "typed\n");
  EXPECT_EQ(ReadLine(buffer, sizeof buffer, stdin), nullptr);
  std::fclose(stream);
}

}  // namespace
