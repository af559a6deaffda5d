// Terminal key sequences come out as the same key codes a Windows console gives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/key_translate.h"
#include "console/terminal_keys.h"

namespace {

// Decodes every key in text, as the codes _getch would give.
std::vector<int> Codes(const std::string& text, bool complete = true) {
  std::vector<int> codes;
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(text.data());
  size_t at = 0;
  while (at < text.size()) {
    TerminalKey key = DecodeTerminalKey(bytes + at, text.size() - at, complete);
    if (key.status == TerminalKeyStatus::kNeedMore) break;
    EXPECT_GT(key.used, 0u);
    at += key.used;
    if (key.status != TerminalKeyStatus::kKey) continue;
    KeyCodes out = TranslateKeyRecord(key.record);
    for (int i = 0; i < out.count; ++i) codes.push_back(out.bytes[i]);
  }
  return codes;
}

using V = std::vector<int>;

TEST(TerminalKeys, CharactersAndControlKeys) {
  EXPECT_EQ(Codes("1a Z"), (V{'1', 'a', ' ', 'Z'}));
  EXPECT_EQ(Codes("\r"), V{13});
  EXPECT_EQ(Codes("\x7f"), V{8});
  EXPECT_EQ(Codes("\t"), V{9});
  EXPECT_EQ(Codes("\x03"), V{3});
  EXPECT_EQ(Codes("\x1b"), V{27});
}

TEST(TerminalKeys, CursorBlockInBothEncodings) {
  EXPECT_EQ(Codes("\x1b[A\x1b[B\x1b[C\x1b[D"), (V{224, 72, 224, 80, 224, 77, 224, 75}));
  EXPECT_EQ(Codes("\x1bOA\x1bOD"), (V{224, 72, 224, 75}));
  EXPECT_EQ(Codes("\x1b[H\x1b[F\x1b[1~\x1b[4~"), (V{224, 71, 224, 79, 224, 71, 224, 79}));
  EXPECT_EQ(Codes("\x1b[2~\x1b[3~\x1b[5~\x1b[6~"), (V{224, 82, 224, 83, 224, 73, 224, 81}));
}

TEST(TerminalKeys, FunctionKeysGiveTheirScanCodes) {
  EXPECT_EQ(Codes("\x1bOP\x1bOS\x1b[15~\x1b[21~"), (V{0, 59, 0, 62, 0, 63, 0, 68}));
  EXPECT_EQ(Codes("\x1b[23~\x1b[24~"), (V{224, 133, 224, 134}));
  EXPECT_EQ(Codes("\x1b[[A\x1b[[E"), (V{0, 59, 0, 63}));
}

TEST(TerminalKeys, ModifierParameterAndAlt) {
  EXPECT_EQ(Codes("\x1b[1;5A"), (V{224, 141}));  // Ctrl+Up
  EXPECT_EQ(Codes("\x1b[1;3D"), (V{0, 155}));    // Alt+Left
  EXPECT_EQ(Codes("\x1b[1;2P"), (V{0, 84}));     // Shift+F1
  EXPECT_EQ(Codes("\x1b" "a"), (V{0, 30}));       // Alt+A
  EXPECT_EQ(Codes("\x1b[Z"), (V{0, 15}));        // Shift+Tab
}

TEST(TerminalKeys, EscapeWaitsForTheRestOfItsSequence) {
  const uint8_t esc[] = {27, '['};
  EXPECT_EQ(DecodeTerminalKey(esc, 1, false).status, TerminalKeyStatus::kNeedMore);
  EXPECT_EQ(DecodeTerminalKey(esc, 2, false).status, TerminalKeyStatus::kNeedMore);
  EXPECT_EQ(Codes("\x1b\x1b[A"), (V{27, 224, 72}));
  EXPECT_EQ(DecodeTerminalKey(esc, 0, false).status, TerminalKeyStatus::kEmpty);
}

TEST(TerminalKeys, UnknownSequencesAndCharactersAreSkippedWhole) {
  EXPECT_EQ(Codes("\x1b[99~x"), V{'x'});
  EXPECT_EQ(Codes("\x1b[200;1;2qy"), V{'y'});
  EXPECT_EQ(Codes("\xe2\x82\xac" "z"), V{'z'});  // the euro sign is not in code page 866
  EXPECT_EQ(Codes("\xff" "w"), V{'w'});
}

TEST(TerminalKeys, TypedCyrillicBecomesCodePage866) {
  EXPECT_EQ(Codes("\xd0\x90\xd1\x8f\xd1\x91"), (V{0x80, 0xEF, 0xF1}));  // А я ё
  const uint8_t half[] = {0xD0};
  EXPECT_EQ(DecodeTerminalKey(half, 1, false).status, TerminalKeyStatus::kNeedMore);
  EXPECT_EQ(DecodeTerminalKey(half, 1, true).status, TerminalKeyStatus::kSkip);
}

}  // namespace
