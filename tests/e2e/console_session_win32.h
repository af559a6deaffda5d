// Drives a console program the way a person at the keyboard would, inside a
// headless console of the test's own: starts the program on that console, types
// keys into its input buffer and reads the screen buffer cell by cell.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// Wine gives a process started with CREATE_NO_WINDOW a console with no window and
// no X display behind it. The first call relaunches the running program that way
// with the same command line and standard handles and returns false with the
// copy's exit status; in the relaunched copy it returns true.
bool RunInHeadlessConsole(int* exit_status);

// Sets the console's screen buffer and window to columns x rows.
bool SetConsoleGeometry(short columns, short rows);

// A unix path ("/build/tavrel.exe") as Wine's drive Z: sees it; other paths pass
// through unchanged.
std::wstring WindowsPath(std::string_view path);

// UTF-16 text as code page 866 bytes (ASCII and Cyrillic); '?' for anything else.
std::string ToCp866(std::wstring_view text);

// One consistent picture of the screen buffer.
struct Screen {
  int width = 0;
  int height = 0;
  COORD cursor{};
  std::vector<CHAR_INFO> cells;  // row after row

  const CHAR_INFO& At(int row, int column) const { return cells[row * width + column]; }
  std::wstring Row(int row) const;         // the full row, trailing blanks kept
  std::wstring RowTrimmed(int row) const;  // trailing blanks dropped
  std::string RowCp866(int row) const;
  // Rows that start with text, in order.
  std::vector<int> RowsStartingWith(std::wstring_view text) const;
  int CountRowsStartingWith(std::wstring_view text) const;
  bool Contains(std::wstring_view text) const;
  // True when every cell of the row's first length columns has attribute attr.
  bool RowHasAttribute(int row, int length, WORD attr) const;
  // The last row holding anything but blanks, or -1.
  int LastUsedRow() const;
  std::string Dump() const;  // for failure messages
};

enum class StandardInput {
  kConsole,     // the console's input buffer, as for a person typing
  kClosedPipe,  // a pipe whose writing end is already closed: end of input at once
};

class ConsoleSession {
 public:
  ConsoleSession() = default;
  ConsoleSession(const ConsoleSession&) = delete;
  ConsoleSession& operator=(const ConsoleSession&) = delete;
  ~ConsoleSession();  // ends a program still running, so a failed test leaves none

  // Clears the console (blanks in light grey, cursor home, empty input, cooked
  // line mode, code page 437) and starts exe on it.
  bool Start(const std::wstring& exe, StandardInput input = StandardInput::kConsole);
  // Which step of the last Start failed, with the system's error code.
  const std::string& StartFailure() const { return start_failure_; }

  // One key press: a key-down and a key-up record.
  bool SendKey(WORD virtual_key, WORD scan_code, wchar_t ch, DWORD control_keys = 0);
  // A character of the US layout: digits, letters, blank, . , - and Enter ('\r').
  // 0x1A is sent as Ctrl+Z.
  bool SendChar(wchar_t ch);
  bool SendArrow(WORD virtual_key);  // VK_UP, VK_DOWN, VK_LEFT or VK_RIGHT
  bool SendEscape();
  // The characters of text, then Enter.
  bool TypeLine(std::string_view text);

  Screen Snapshot() const;
  // Polls the screen until the condition holds or the time is up; the last
  // snapshot goes to *last when given.
  bool WaitFor(const std::function<bool(const Screen&)>& condition, DWORD timeout_ms,
               Screen* last = nullptr) const;
  bool WaitForText(std::wstring_view text, DWORD timeout_ms, Screen* last = nullptr) const;
  // Waits until rows starting with text number at least count.
  bool WaitForRows(std::wstring_view text, int count, DWORD timeout_ms,
                   Screen* last = nullptr) const;

  bool WaitForExit(DWORD timeout_ms, DWORD* exit_status);
  // The console's output code page; Start sets it to 437.
  UINT OutputCodePage() const { return GetConsoleOutputCP(); }
  bool IsRunning() const;
  HANDLE process() const { return process_; }
  DWORD process_id() const { return process_id_; }

 private:
  bool OpenConsole();
  bool Failed(const char* step);  // notes the failing step; false
  void ResetConsole();
  void Stop();

  std::string start_failure_;
  HANDLE in_ = INVALID_HANDLE_VALUE;
  HANDLE out_ = INVALID_HANDLE_VALUE;
  HANDLE process_ = nullptr;
  DWORD process_id_ = 0;
};

}  // namespace e2e
