// The menu, options and about screens run against a scripted console: the hook
// table supplies the keys and typed lines and records what the screens write.
#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/rt_string.h"
#include "game/game.h"

namespace {

struct ScriptedConsole {
  std::deque<std::string> keys;                 // "" = no key waiting at this poll
  std::deque<std::optional<std::string>> lines;  // nullopt = end of input
  std::string output;
  std::vector<std::string> calls;  // clear, colour and locate calls, in order
  int key_polls = 0;
  int line_reads = 0;
};

ScriptedConsole* console = nullptr;

RtString* FakeReadKey() {
  ++console->key_polls;
  if (console->keys.empty()) throw std::runtime_error("the screen polled for more keys");
  const std::string key = console->keys.front();
  console->keys.pop_front();
  return key.empty() ? RtSharedEmpty() : RtTempFromBytes(key.data(), key.size());
}
int32_t FakeWaitKey() { throw std::runtime_error("unexpected WaitKey"); }
int32_t FakeKeyWaiting() { return console->keys.empty() ? 0 : 1; }
void FakeClear(int32_t mode) { console->calls.push_back("clear " + std::to_string(mode)); }
int32_t FakeSetColor(int32_t fg, int32_t bg) {
  console->calls.push_back("color " + std::to_string(fg) + "," + std::to_string(bg));
  return 0;
}
int32_t FakeLocate(int32_t row, int32_t column, int32_t visibility) {
  console->calls.push_back("locate " + std::to_string(row) + "," + std::to_string(column) + "," +
                           std::to_string(visibility));
  return 0;
}
int32_t FakeSetTextSize(int32_t, int32_t) { return 0; }
int32_t FakeCursorColumn() { return 1; }
int32_t FakeCursorRow() { return 1; }
void FakeCursorPosition(int32_t* column, int32_t* row) {
  if (column) *column = 1;
  if (row) *row = 1;
}
void FakeTextSize(int32_t* columns, int32_t* rows) {
  if (columns) *columns = 80;
  if (rows) *rows = 25;
}
void FakeWrite(const char* bytes, int32_t length, int32_t) { console->output.append(bytes, length); }
char* FakeReadLine(char* buffer, int32_t size) {
  ++console->line_reads;
  if (console->lines.empty()) throw std::runtime_error("the screen read more lines");
  const std::optional<std::string> line = console->lines.front();
  console->lines.pop_front();
  if (!line) return nullptr;
  const std::string text = *line + "\n";
  if (static_cast<int32_t>(text.size()) >= size) throw std::runtime_error("line too long");
  text.copy(buffer, text.size());
  buffer[text.size()] = '\0';
  return buffer;
}
int32_t FakeKeyIsDown(int32_t) { return 0; }
int32_t FakeReadMouse(int32_t*, int32_t*, int32_t*, int32_t*) { return 0; }
int32_t FakeSetMouse(int32_t, int32_t, int32_t) { return 0; }

class TextPhaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    console = &script;
    g_console_hooks = ConsoleHooks{
        .read_key = FakeReadKey,
        .wait_key = FakeWaitKey,
        .key_waiting = FakeKeyWaiting,
        .clear = FakeClear,
        .set_color = FakeSetColor,
        .locate = FakeLocate,
        .set_text_size = FakeSetTextSize,
        .cursor_column = FakeCursorColumn,
        .cursor_row = FakeCursorRow,
        .cursor_position = FakeCursorPosition,
        .text_size = FakeTextSize,
        .write_text = FakeWrite,
        .read_line = FakeReadLine,
        .key_is_down = FakeKeyIsDown,
        .read_mouse = FakeReadMouse,
        .set_mouse = FakeSetMouse,
    };
    temps_before = RtTempInUse();
  }
  void TearDown() override {
    g_console_hooks = ConsoleHooks{};
    console = nullptr;
    EXPECT_EQ(RtTempInUse(), temps_before) << "a temporary string was not released";
  }

  // Runs MainMenu and returns its key as a plain string.
  std::string RunMenu() {
    RtString* choice = MainMenu();
    std::string key(choice->data ? choice->data : "", RtLength(choice));
    RtRelease(choice);
    return key;
  }

  ScriptedConsole script;
  int temps_before = 0;
};

const std::string kMenuText = "1. game\n2. options\n3. about\n4. exit\n";
const std::string kQuestion = "Kto xpdit perBbI ? (1-COMP, 2- USER)\n";
const std::string kUpArrow = "\xFF\x48";

std::string Repeat(const std::string& text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += text;
  return all;
}

TEST_F(TextPhaseTest, MenuClearsOnceThenRepeatsTheItemsInDarkGreyUntilAnItem) {
  script.keys = {"", "x", "", "\r", kUpArrow, "0", "\x1B", "5", "", "3"};
  EXPECT_EQ(RunMenu(), "3");
  EXPECT_EQ(script.output, Repeat(kMenuText, 7));
  ASSERT_GE(script.calls.size(), 2u);
  EXPECT_EQ(script.calls[0], "clear " + std::to_string(kNoArgument));
  EXPECT_EQ(script.calls[1], "locate 1,1,-1");
  // Every item is printed in dark grey on black, and nothing else is called.
  EXPECT_EQ(script.calls.size(), 2u + 7 * 4);
  for (size_t i = 2; i < script.calls.size(); ++i) EXPECT_EQ(script.calls[i], "color 8,0") << i;
  EXPECT_TRUE(script.keys.empty());
}

TEST_F(TextPhaseTest, MenuReturnsEachOfTheFirstThreeItems) {
  for (const std::string key : {"1", "2", "3"}) {
    script.keys = {key};
    script.output.clear();
    EXPECT_EQ(RunMenu(), key);
    EXPECT_EQ(script.output, kMenuText);
  }
}

TEST_F(TextPhaseTest, MenuTakesOnlyWholeKeysAsItems) {
  // An extended key whose scan code is the digit's code is not the digit.
  script.keys = {"\xFF" "1", "\xFF" "2", "2"};
  EXPECT_EQ(RunMenu(), "2");
  EXPECT_EQ(script.output, Repeat(kMenuText, 3));
}

TEST_F(TextPhaseTest, MenuExitsWithStatusZeroOnFour) {
  script.keys = {"x", "4"};
  EXPECT_EXIT(MainMenu(), ::testing::ExitedWithCode(0), "");
}

TEST_F(TextPhaseTest, OptionsAskUntilTheAnswerIsOneOrTwo) {
  script.lines = {"0", "3", "abc", "", "-1", "  2x"};
  int32_t first = 0;
  OptionsScreen(first);
  EXPECT_EQ(first, 2);
  EXPECT_EQ(script.output, Repeat(kQuestion, 6));
  EXPECT_TRUE(script.lines.empty());
}

TEST_F(TextPhaseTest, OptionsTakeTheLeadingIntegerOfTheAnswer) {
  const struct {
    const char* line;
    int32_t expected;
  } cases[] = {{"1", 1}, {"2", 2}, {"1.9", 1}, {"   1", 1}, {"2abc", 2}, {"1, 2", 1}};
  for (const auto& c : cases) {
    script.lines = {c.line};
    script.output.clear();
    int32_t first = 0;
    OptionsScreen(first);
    EXPECT_EQ(first, c.expected) << c.line;
    EXPECT_EQ(script.output, kQuestion) << c.line;
  }
}

TEST_F(TextPhaseTest, OptionsAskNothingOnceTheChoiceIsMade) {
  for (int32_t settled : {1, 2}) {
    int32_t first = settled;
    OptionsScreen(first);
    EXPECT_EQ(first, settled);
  }
  EXPECT_EQ(script.output, "");
  EXPECT_EQ(script.line_reads, 0);
}

TEST_F(TextPhaseTest, OptionsGiveUpAtTheEndOfInputWithTheChoiceUnchanged) {
  // Before: the question came back forever once the input had ended.
  script.lines = {"7", std::nullopt};
  int32_t first = 0;
  OptionsScreen(first);
  EXPECT_EQ(first, 7);
  EXPECT_EQ(script.output, Repeat(kQuestion, 2));

  // A later visit asks again and takes an answer.
  script.lines = {std::nullopt};
  first = 0;
  OptionsScreen(first);
  EXPECT_EQ(first, 0);
  script.lines = {"1"};
  OptionsScreen(first);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(script.line_reads, 4);
}

// Code page 866 bytes of Cyrillic letters and ASCII, read back as UTF-8.
std::string DecodeCp866(const std::string& bytes) {
  static const char* const kLetters[] = {
      "А", "Б", "В", "Г", "Д", "Е", "Ж", "З", "И", "Й", "К", "Л", "М", "Н", "О", "П",
      "Р", "С", "Т", "У", "Ф", "Х", "Ц", "Ч", "Ш", "Щ", "Ъ", "Ы", "Ь", "Э", "Ю", "Я",
      "а", "б", "в", "г", "д", "е", "ж", "з", "и", "й", "к", "л", "м", "н", "о", "п"};
  static const char* const kLettersHigh[] = {"р", "с", "т", "у", "ф", "х", "ц", "ч",
                                             "ш", "щ", "ъ", "ы", "ь", "э", "ю", "я"};
  std::string text;
  for (unsigned char b : bytes) {
    if (b < 0x80) text.push_back(static_cast<char>(b));
    else if (b < 0xB0) text += kLetters[b - 0x80];
    else if (b >= 0xE0 && b < 0xF0) text += kLettersHigh[b - 0xE0];
    else text += "<?>";
  }
  return text;
}

TEST_F(TextPhaseTest, AboutPrintsTheRulesInCodePage866) {
  script.keys = {"z"};
  AboutScreen();
  EXPECT_EQ(DecodeCp866(script.output),
            "Игра Tavrel\n"
            "Вы можете ходить влево, вниз или по диагонали вниз\n"
            "побеждает тот, кто поставит короля в нижнее левое поле\n"
            " \n"
            "Автор: Dornak\n"
            "компилятор ZUZ - Version 0.14 for win32\n"
            "нажимте любую клавишу...\n");
}

TEST_F(TextPhaseTest, AboutWaitsForAnyKeyAnExtendedOneIncluded) {
  script.keys = {"", "", "", kUpArrow, "1"};
  AboutScreen();
  EXPECT_EQ(script.key_polls, 4);
  EXPECT_EQ(script.keys.size(), 1u) << "the key after the first one was taken too";
  EXPECT_TRUE(script.calls.empty()) << "the about screen must not clear, colour or move";
}

}  // namespace
