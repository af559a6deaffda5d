// The Windows seams against Wine's or Windows' own console, clock and module
// name: cells really written, key records really translated.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "console/console.h"
#include "console/runtime.h"
#include "console/services.h"
#include "console/services_api.h"
#include "console/text_console.h"

namespace {

TEST(Win32Services, ExeFileNameAndTheClockComeFromTheSystem) {
  char buffer[MAX_PATH];
  char* name = ExeFileName(buffer, sizeof buffer);
  EXPECT_EQ(_stricmp(name, "unit_tests.exe"), 0) << buffer;
  EXPECT_NE(std::string(buffer).find('\\'), std::string::npos);
  TimerResetMode();
  double start = TimerSeconds();
  Sleep(30);
  double elapsed = TimerSeconds() - start;
  EXPECT_GE(elapsed, 0.025);
  EXPECT_LT(elapsed, 5.0);
}

constexpr char kChildVariable[] = "TAVREL_CONSOLE_TEST_CHILD";

bool IsConsoleChild() { return GetEnvironmentVariableA(kChildVariable, nullptr, 0) > 0; }

// The RealConsole tests need a console, which a test run under ctest lacks: this
// test runs them in a copy of the program started with a console of its own
// (CREATE_NO_WINDOW gives a console without a window) and checks their outcome.
TEST(Win32Console, RealConsoleTestsPassInAProcessWithAConsole) {
  if (IsConsoleChild()) GTEST_SKIP() << "this is the child";
  char exe[MAX_PATH];
  ASSERT_GT(GetModuleFileNameA(nullptr, exe, MAX_PATH), 0u);
  char log_path[MAX_PATH], dir[MAX_PATH];
  ASSERT_GT(GetTempPathA(MAX_PATH, dir), 0u);
  ASSERT_NE(GetTempFileNameA(dir, "tcs", 0, log_path), 0u);
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE log = CreateFileA(log_path, GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(log, INVALID_HANDLE_VALUE);
  std::string command = std::string("\"") + exe + "\" --gtest_filter=RealConsole.*";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = log;
  startup.hStdError = log;
  startup.hStdInput = nullptr;
  PROCESS_INFORMATION process = {};
  SetEnvironmentVariableA(kChildVariable, "1");
  BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                nullptr, nullptr, &startup, &process);
  SetEnvironmentVariableA(kChildVariable, nullptr);
  CloseHandle(log);
  ASSERT_TRUE(started);
  ASSERT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
  DWORD status = 1;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::string output;
  if (FILE* f = std::fopen(log_path, "rb")) {
    char chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) output.append(chunk, n);
    std::fclose(f);
  }
  DeleteFileA(log_path);
  EXPECT_EQ(status, 0u) << output;
  EXPECT_NE(output.find("[  PASSED  ] 2 tests."), std::string::npos) << output;
  EXPECT_EQ(output.find("SKIPPED"), std::string::npos) << output;
}

// A console screen buffer of the test's own, made standard output for the test.
struct RealConsole : ::testing::Test {
  HANDLE buffer = INVALID_HANDLE_VALUE;
  HANDLE saved_output = nullptr;

  void SetUp() override {
    if (!IsConsoleChild()) GTEST_SKIP() << "run by Win32Console in a process with a console";
    buffer = CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, CONSOLE_TEXTMODE_BUFFER, nullptr);
    ASSERT_NE(buffer, INVALID_HANDLE_VALUE) << "no console in the child";
    SetConsoleScreenBufferSize(buffer, COORD{80, 50});
    saved_output = GetStdHandle(STD_OUTPUT_HANDLE);
    SetStdHandle(STD_OUTPUT_HANDLE, buffer);
    RuntimeInit(0, nullptr);
    ConsoleResetState();
  }
  void TearDown() override {
    if (buffer == INVALID_HANDLE_VALUE) return;
    SetStdHandle(STD_OUTPUT_HANDLE, saved_output);
    RuntimeInit(0, nullptr);
    ConsoleResetState();
    CloseHandle(buffer);
  }
  std::string Cells(int x, int y, int n) {
    std::string text(n, '?');
    DWORD read = 0;
    ReadConsoleOutputCharacterA(buffer, text.data(), n, COORD{static_cast<SHORT>(x), static_cast<SHORT>(y)},
                                &read);
    text.resize(read);
    return text;
  }
  WORD AttributeAt(int x, int y) {
    WORD attribute = 0;
    DWORD read = 0;
    ReadConsoleOutputAttribute(buffer, &attribute, 1, COORD{static_cast<SHORT>(x), static_cast<SHORT>(y)},
                               &read);
    return attribute;
  }
};

TEST_F(RealConsole, LocateColourWriteAndClearActOnTheScreenBuffer) {
  EXPECT_EQ(GetConsoleOutputCP(), 866u);  // the game's texts are code page 866 bytes
  ConsoleClear(0);
  EXPECT_EQ(ConsoleLocate(3, 5, -1) & 0xFFFF, (3 << 8) | 5);
  ConsoleSetColor(14, 1);
  ConsoleWrite("hi", 2, 0);
  EXPECT_EQ(Cells(4, 2, 2), "hi");
  EXPECT_EQ(AttributeAt(4, 2), 14 + 16);
  EXPECT_EQ(ConsoleCursorColumn(), 7);
  EXPECT_EQ(ConsoleCursorRow(), 3);
  int32_t columns = 0;
  ConsoleTextSize(&columns, nullptr);
  EXPECT_EQ(columns, 80);
  ConsoleSetColor(7, 0);
  ConsoleClear(0);
  EXPECT_EQ(Cells(4, 2, 2), "  ");
  EXPECT_EQ(ConsoleCursorRow(), 1);
  EXPECT_EQ(ConsoleCursorColumn(), 1);
}

INPUT_RECORD KeyEvent(bool down, WORD vk, WORD scan, WCHAR ch, DWORD state) {
  INPUT_RECORD r = {};
  r.EventType = KEY_EVENT;
  r.Event.KeyEvent.bKeyDown = down;
  r.Event.KeyEvent.wRepeatCount = 1;
  r.Event.KeyEvent.wVirtualKeyCode = vk;
  r.Event.KeyEvent.wVirtualScanCode = scan;
  r.Event.KeyEvent.uChar.UnicodeChar = ch;
  r.Event.KeyEvent.dwControlKeyState = state;
  return r;
}

TEST_F(RealConsole, KeyRecordsBecomeKeyStrings) {
  HANDLE input = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(input, INVALID_HANDLE_VALUE);
  FlushConsoleInputBuffer(input);
  UINT saved_cp = GetConsoleCP();
  SetConsoleCP(866);
  INPUT_RECORD records[] = {
      KeyEvent(true, VK_UP, 72, 0, ENHANCED_KEY),  KeyEvent(false, VK_UP, 72, 0, ENHANCED_KEY),
      KeyEvent(true, VK_SHIFT, 42, 0, SHIFT_PRESSED), KeyEvent(true, 'A', 30, L'A', SHIFT_PRESSED),
      KeyEvent(true, VK_F1, 59, 0, 0),             KeyEvent(true, 'H', 35, 0x0440, 0),
  };
  DWORD written = 0;
  ASSERT_TRUE(WriteConsoleInputW(input, records, 6, &written));
  ASSERT_EQ(written, 6u);
  auto take = [] {
    RtString* key = ReadKey();
    std::string bytes(key->data ? key->data : "", RtLength(key));
    RtRelease(key);
    return bytes;
  };
  EXPECT_EQ(take(), "\xFF\x48");
  EXPECT_EQ(take(), "A");
  EXPECT_EQ(take(), std::string("\xFF") + char(59));
  EXPECT_EQ(take(), "\xE0");  // a Cyrillic letter in code page 866, not a prefix
  EXPECT_EQ(take(), "");
  SetConsoleCP(saved_cp);
  CloseHandle(input);
}

}  // namespace
