// Starting a program on the test's console, typing into it and watching its screen.
#include "console_session_win32.h"

namespace e2e {

namespace {

constexpr DWORD kPollMs = 10;
constexpr WORD kLightGrey = 7;
constexpr UINT kStartCodePage = 437;  // a console that is not set up for Russian text

HANDLE OpenConsoleHandle(const wchar_t* name) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                     &inherit, OPEN_EXISTING, 0, nullptr);
}

KEY_EVENT_RECORD KeyEvent(bool down, WORD virtual_key, WORD scan_code, wchar_t ch,
                          DWORD control_keys) {
  KEY_EVENT_RECORD key{};
  key.bKeyDown = down;
  key.wRepeatCount = 1;
  key.wVirtualKeyCode = virtual_key;
  key.wVirtualScanCode = scan_code;
  key.uChar.UnicodeChar = ch;
  key.dwControlKeyState = control_keys;
  return key;
}

// Scan codes of the US layout's letter rows.
WORD LetterScanCode(wchar_t lower) {
  static const char kRows[] = "qwertyuiop\0\0\0\0asdfghjkl\0\0\0\0\0zxcvbnm";
  for (int i = 0; i < static_cast<int>(sizeof kRows); ++i) {
    if (kRows[i] == lower) return static_cast<WORD>(0x10 + i);
  }
  return 0;
}

}  // namespace

ConsoleSession::~ConsoleSession() {
  Stop();
  if (in_ != INVALID_HANDLE_VALUE) CloseHandle(in_);
  if (out_ != INVALID_HANDLE_VALUE) CloseHandle(out_);
}

bool ConsoleSession::OpenConsole() {
  if (in_ == INVALID_HANDLE_VALUE) in_ = OpenConsoleHandle(L"CONIN$");
  if (out_ == INVALID_HANDLE_VALUE) out_ = OpenConsoleHandle(L"CONOUT$");
  return in_ != INVALID_HANDLE_VALUE && out_ != INVALID_HANDLE_VALUE;
}

void ConsoleSession::ResetConsole() {
  FlushConsoleInputBuffer(in_);
  SetConsoleMode(in_, ENABLE_PROCESSED_INPUT | ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT);
  SetConsoleMode(out_, ENABLE_PROCESSED_OUTPUT | ENABLE_WRAP_AT_EOL_OUTPUT);
  SetConsoleOutputCP(kStartCodePage);
  SetConsoleTextAttribute(out_, kLightGrey);
  CONSOLE_SCREEN_BUFFER_INFO info{};
  GetConsoleScreenBufferInfo(out_, &info);
  const DWORD cells = static_cast<DWORD>(info.dwSize.X) * info.dwSize.Y;
  DWORD written = 0;
  FillConsoleOutputCharacterW(out_, L' ', cells, COORD{0, 0}, &written);
  FillConsoleOutputAttribute(out_, kLightGrey, cells, COORD{0, 0}, &written);
  SetConsoleCursorPosition(out_, COORD{0, 0});
}

bool ConsoleSession::Failed(const char* step) {
  start_failure_ = std::string(step) + " failed with error " + std::to_string(GetLastError());
  return false;
}

bool ConsoleSession::Start(const std::wstring& exe, StandardInput input) {
  Stop();
  start_failure_.clear();
  if (!OpenConsole()) return Failed("opening the console");
  ResetConsole();

  HANDLE stdin_handle = in_;
  HANDLE pipe_write = nullptr;
  if (input == StandardInput::kClosedPipe) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    if (!CreatePipe(&stdin_handle, &pipe_write, &inherit, 0)) return Failed("CreatePipe");
    SetHandleInformation(pipe_write, HANDLE_FLAG_INHERIT, 0);
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = stdin_handle;
  startup.hStdOutput = out_;
  startup.hStdError = out_;
  std::wstring command_line = L"\"" + exe + L"\"";
  PROCESS_INFORMATION info{};
  const bool started = CreateProcessW(exe.c_str(), command_line.data(), nullptr, nullptr, TRUE,
                                      0, nullptr, nullptr, &startup, &info) != 0;
  if (!started) Failed("CreateProcess");
  if (input == StandardInput::kClosedPipe) {
    CloseHandle(stdin_handle);
    CloseHandle(pipe_write);
  }
  if (!started) return false;
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  process_id_ = info.dwProcessId;
  return true;
}

void ConsoleSession::Stop() {
  if (process_ == nullptr) return;
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, 255);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
  process_ = nullptr;
  process_id_ = 0;
}

bool ConsoleSession::SendKey(WORD virtual_key, WORD scan_code, wchar_t ch, DWORD control_keys) {
  INPUT_RECORD records[2]{};
  for (int i = 0; i < 2; ++i) {
    records[i].EventType = KEY_EVENT;
    records[i].Event.KeyEvent = KeyEvent(i == 0, virtual_key, scan_code, ch, control_keys);
  }
  DWORD written = 0;
  return WriteConsoleInputW(in_, records, 2, &written) && written == 2;
}

bool ConsoleSession::SendChar(wchar_t ch) {
  if (ch >= L'1' && ch <= L'9') return SendKey(ch, static_cast<WORD>(ch - L'1' + 2), ch);
  if (ch == L'0') return SendKey(L'0', 0x0B, ch);
  if (ch >= L'a' && ch <= L'z') return SendKey(ch - L'a' + L'A', LetterScanCode(ch), ch);
  if (ch >= L'A' && ch <= L'Z') {
    return SendKey(ch, LetterScanCode(ch - L'A' + L'a'), ch, SHIFT_PRESSED);
  }
  switch (ch) {
    case L' ': return SendKey(VK_SPACE, 0x39, ch);
    case L'.': return SendKey(VK_OEM_PERIOD, 0x34, ch);
    case L',': return SendKey(VK_OEM_COMMA, 0x33, ch);
    case L'-': return SendKey(VK_OEM_MINUS, 0x0C, ch);
    case L'\r': return SendKey(VK_RETURN, 0x1C, ch);
    case 0x1A: return SendKey('Z', 0x2C, ch, LEFT_CTRL_PRESSED);
    default: return false;
  }
}

bool ConsoleSession::SendArrow(WORD virtual_key) {
  WORD scan_code = 0;
  switch (virtual_key) {
    case VK_UP: scan_code = 0x48; break;
    case VK_DOWN: scan_code = 0x50; break;
    case VK_LEFT: scan_code = 0x4B; break;
    case VK_RIGHT: scan_code = 0x4D; break;
    default: return false;
  }
  return SendKey(virtual_key, scan_code, 0, ENHANCED_KEY);
}

bool ConsoleSession::SendEscape() { return SendKey(VK_ESCAPE, 0x01, 0x1B); }

bool ConsoleSession::TypeLine(std::string_view text) {
  for (char ch : text) {
    if (!SendChar(static_cast<unsigned char>(ch))) return false;
  }
  return SendChar(L'\r');
}

Screen ConsoleSession::Snapshot() const {
  Screen screen;
  // The program may write between the two calls; take the picture again until
  // the buffer information is the same before and after reading the cells.
  for (int attempt = 0; attempt < 20; ++attempt) {
    CONSOLE_SCREEN_BUFFER_INFO before{}, after{};
    if (!GetConsoleScreenBufferInfo(out_, &before)) return screen;
    screen.width = before.dwSize.X;
    screen.height = before.dwSize.Y;
    screen.cursor = before.dwCursorPosition;
    screen.cells.assign(static_cast<size_t>(screen.width) * screen.height, CHAR_INFO{});
    SMALL_RECT region{0, 0, static_cast<SHORT>(screen.width - 1),
                      static_cast<SHORT>(screen.height - 1)};
    ReadConsoleOutputW(out_, screen.cells.data(), before.dwSize, COORD{0, 0}, &region);
    GetConsoleScreenBufferInfo(out_, &after);
    if (after.dwCursorPosition.X == before.dwCursorPosition.X &&
        after.dwCursorPosition.Y == before.dwCursorPosition.Y) {
      break;
    }
  }
  return screen;
}

bool ConsoleSession::WaitFor(const std::function<bool(const Screen&)>& condition,
                             DWORD timeout_ms, Screen* last) const {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  for (;;) {
    Screen screen = Snapshot();
    const bool met = condition(screen);
    if (last != nullptr) *last = std::move(screen);
    if (met) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(kPollMs);
  }
}

bool ConsoleSession::WaitForText(std::wstring_view text, DWORD timeout_ms, Screen* last) const {
  return WaitFor([text](const Screen& s) { return s.Contains(text); }, timeout_ms, last);
}

bool ConsoleSession::WaitForRows(std::wstring_view text, int count, DWORD timeout_ms,
                                 Screen* last) const {
  return WaitFor([text, count](const Screen& s) { return s.CountRowsStartingWith(text) >= count; },
                 timeout_ms, last);
}

bool ConsoleSession::WaitForExit(DWORD timeout_ms, DWORD* exit_status) {
  if (process_ == nullptr) return false;
  if (WaitForSingleObject(process_, timeout_ms) != WAIT_OBJECT_0) return false;
  DWORD status = 0;
  GetExitCodeProcess(process_, &status);
  if (exit_status != nullptr) *exit_status = status;
  return true;
}

bool ConsoleSession::IsRunning() const {
  return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

}  // namespace e2e
