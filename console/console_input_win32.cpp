// The input-record seam on Windows: the console's input queue read with
// PeekConsoleInputW and ReadConsoleInputW. Like the C run-time's _getch it
// reads the console itself (CONIN$), not whatever standard input is redirected
// to. Characters are converted into the console's input code page.
#include <windows.h>

#include "console/console_input_api.h"

namespace {

HANDLE ConsoleInput() {
  static HANDLE handle = INVALID_HANDLE_VALUE;
  static bool opened = false;
  if (!opened) {
    opened = true;
    handle = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) handle = GetStdHandle(STD_INPUT_HANDLE);
  }
  return handle;
}

uint8_t CharInInputCodePage(WCHAR ch) {
  if (ch == 0) return 0;
  if (ch < 0x80) return static_cast<uint8_t>(ch);
  char byte = 0;
  int n = WideCharToMultiByte(GetConsoleCP(), 0, &ch, 1, &byte, 1, nullptr, nullptr);
  return n == 1 ? static_cast<uint8_t>(byte) : 0;
}

void Convert(const INPUT_RECORD& raw, ConsoleKeyRecord* record) {
  *record = ConsoleKeyRecord{};
  if (raw.EventType != KEY_EVENT) return;
  const KEY_EVENT_RECORD& key = raw.Event.KeyEvent;
  record->is_key = true;
  record->key_down = key.bKeyDown != 0;
  record->virtual_key = key.wVirtualKeyCode;
  record->scan_code = key.wVirtualScanCode;
  record->char_code = CharInInputCodePage(key.uChar.UnicodeChar);
  record->control_state = key.dwControlKeyState;
}

bool Peek(ConsoleKeyRecord* record) {
  HANDLE input = ConsoleInput();
  if (input == INVALID_HANDLE_VALUE || input == nullptr) return false;
  INPUT_RECORD raw;
  DWORD count = 0;
  if (!PeekConsoleInputW(input, &raw, 1, &count) || count == 0) return false;
  Convert(raw, record);
  return true;
}

bool Read(ConsoleKeyRecord* record) {
  HANDLE input = ConsoleInput();
  if (input == INVALID_HANDLE_VALUE || input == nullptr) return false;
  INPUT_RECORD raw;
  DWORD count = 0;
  if (!ReadConsoleInputW(input, &raw, 1, &count) || count == 0) return false;
  Convert(raw, record);
  return true;
}

bool Wait(int32_t ms) {
  HANDLE input = ConsoleInput();
  if (input == INVALID_HANDLE_VALUE || input == nullptr) return false;
  return WaitForSingleObject(input, static_cast<DWORD>(ms)) == WAIT_OBJECT_0;
}

bool Ready() {
  HANDLE input = ConsoleInput();
  if (input == INVALID_HANDLE_VALUE || input == nullptr) return false;
  // A handle that cannot be waited on (not a console) says nothing: peek.
  return WaitForSingleObject(input, 0) != WAIT_TIMEOUT;
}

}  // namespace

ConsoleInputApi g_console_input_api = {
    .peek = Peek,
    .read = Read,
    .wait = Wait,
    .ready = Ready,
};
