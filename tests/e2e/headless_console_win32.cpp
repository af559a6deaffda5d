// Running the test program in a console of its own with no window, and sizing it.
#include <cstdio>
#include <cwchar>

#include "console_session_win32.h"

namespace e2e {

namespace {

constexpr wchar_t kHeadlessMark[] = L"TAVREL_E2E_HEADLESS";

HANDLE InheritableCopy(HANDLE handle) {
  HANDLE copy = nullptr;
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), handle, GetCurrentProcess(), &copy, 0, TRUE,
                       DUPLICATE_SAME_ACCESS)) {
    return nullptr;
  }
  return copy;
}

}  // namespace

bool RunInHeadlessConsole(int* exit_status) {
  wchar_t mark[8];
  if (GetEnvironmentVariableW(kHeadlessMark, mark, 8) > 0) return true;
  SetEnvironmentVariableW(kHeadlessMark, L"1");

  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring command_line = GetCommandLineW();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = InheritableCopy(GetStdHandle(STD_INPUT_HANDLE));
  startup.hStdOutput = InheritableCopy(GetStdHandle(STD_OUTPUT_HANDLE));
  startup.hStdError = InheritableCopy(GetStdHandle(STD_ERROR_HANDLE));
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exe, command_line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                      nullptr, nullptr, &startup, &info)) {
    std::fwprintf(stderr, L"cannot relaunch %ls (error %lu)\n", exe, GetLastError());
    *exit_status = 2;
    return false;
  }
  WaitForSingleObject(info.hProcess, INFINITE);
  DWORD status = 2;
  GetExitCodeProcess(info.hProcess, &status);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  *exit_status = static_cast<int>(status);
  return false;
}

bool SetConsoleGeometry(short columns, short rows) {
  HANDLE out = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (out == INVALID_HANDLE_VALUE) return false;
  // The window must fit the buffer at every step: shrink it first, then size the
  // buffer, then open the window to the full buffer.
  SMALL_RECT tiny{0, 0, 0, 0};
  SetConsoleWindowInfo(out, TRUE, &tiny);
  const bool sized = SetConsoleScreenBufferSize(out, COORD{columns, rows}) != 0;
  SMALL_RECT full{0, 0, static_cast<SHORT>(columns - 1), static_cast<SHORT>(rows - 1)};
  const bool windowed = SetConsoleWindowInfo(out, TRUE, &full) != 0;
  CONSOLE_SCREEN_BUFFER_INFO buffer{};
  GetConsoleScreenBufferInfo(out, &buffer);
  CloseHandle(out);
  return sized && windowed && buffer.dwSize.X == columns && buffer.dwSize.Y == rows;
}

std::wstring WindowsPath(std::string_view path) {
  std::wstring result;
  if (!path.empty() && path.front() == '/') result = L"Z:";
  for (char ch : path) result.push_back(ch == '/' ? L'\\' : static_cast<wchar_t>(ch));
  return result;
}

}  // namespace e2e
