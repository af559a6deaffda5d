// Plays the console part of the game for the native window tests: starts
// tavrel.exe in a headless console and answers line commands read from
// standard input, one reply line per command (the screen dump ends with its own
// line). Every command and reply starts with the command's number, so the
// caller can find its reply in the output:
//   N start               -> N ok | N fail
//   N wait TEXT           -> N ok | N timeout      (TEXT on the screen, 20 s)
//   N key C               -> N ok                  (C one character, "enter", "esc", "space",
//                                                   "up", "down", "left", "right")
//   N screen              -> N row R HEX...  per row, then N end
//   N exit MS             -> N exit STATUS | N running
//   N ctrl-c              -> N ok | N fail         (Ctrl+C to the console; the driver stays)
//   N quit                -> N bye, and the program under test is ended
//   game_driver --tavrel=PATH
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

#include "console_session_win32.h"

namespace {

constexpr short kColumns = 80;
constexpr short kRows = 25;

void Reply(const std::string& id, const std::string& text) {
  std::printf("%s %s\n", id.c_str(), text.c_str());
  std::fflush(stdout);
}

bool SendNamedKey(e2e::ConsoleSession& session, const std::string& key) {
  if (key == "enter") return session.SendChar(L'\r');
  if (key == "esc") return session.SendEscape();
  if (key == "space") return session.SendChar(L' ');
  if (key == "up") return session.SendArrow(VK_UP);
  if (key == "down") return session.SendArrow(VK_DOWN);
  if (key == "left") return session.SendArrow(VK_LEFT);
  if (key == "right") return session.SendArrow(VK_RIGHT);
  return key.size() == 1 && session.SendChar(static_cast<wchar_t>(key[0]));
}

// Each cell as four hex digits of its character and two of its attribute.
void DumpScreen(const e2e::ConsoleSession& session, const std::string& id) {
  e2e::Screen screen = session.Snapshot();
  for (int row = 0; row < screen.height; ++row) {
    std::string line = "row " + std::to_string(row);
    for (int col = 0; col < screen.width; ++col) {
      const CHAR_INFO& c = screen.At(row, col);
      char cell[16];
      std::snprintf(cell, sizeof cell, " %04X%02X", c.Char.UnicodeChar, c.Attributes & 0xFF);
      line += cell;
    }
    Reply(id, line);
  }
  Reply(id, "end");
}

// Ctrl+C reaches every process of the console, this one too, on a thread of
// its own: the driver claims it and lives on, the program under test meets it
// as a player's Ctrl+C.
BOOL WINAPI KeepDriver(DWORD event) { return event == CTRL_C_EVENT ? TRUE : FALSE; }

bool SendCtrlC() {
  static const bool kept = SetConsoleCtrlHandler(KeepDriver, TRUE) != 0;
  return kept && GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0) != 0;
}

std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

std::string ExitReply(e2e::ConsoleSession& session, DWORD limit_ms) {
  DWORD status = 0;
  if (!session.WaitForExit(limit_ms, &status)) return "running";
  return "exit " + std::to_string(status);
}

// Serves commands until "quit" or the end of input; returns false on "quit".
bool Serve(e2e::ConsoleSession& session, const std::wstring& tavrel) {
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream in(line);
    std::string id, command, rest;
    in >> id >> command;
    std::getline(in >> std::ws, rest);
    if (command == "start") Reply(id, session.Start(tavrel) ? "ok" : "fail: " + session.StartFailure());
    else if (command == "wait") Reply(id, session.WaitForText(Widen(rest), 20000) ? "ok" : "timeout");
    else if (command == "key") Reply(id, SendNamedKey(session, rest) ? "ok" : "fail");
    else if (command == "screen") DumpScreen(session, id);
    else if (command == "ctrl-c") Reply(id, SendCtrlC() ? "ok" : "fail");
    else if (command == "exit") Reply(id, ExitReply(session, std::stoul(rest.empty() ? "0" : rest)));
    else if (command == "quit") {
      Reply(id, "bye");
      return false;
    } else Reply(id, "unknown");
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int status = 0;
  if (!e2e::RunInHeadlessConsole(&status)) return status;
  std::wstring tavrel;
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], "--tavrel=", 9) == 0) tavrel = e2e::WindowsPath(argv[i] + 9);
  if (tavrel.empty() || !e2e::SetConsoleGeometry(kColumns, kRows)) {
    std::fprintf(stderr, "usage: game_driver --tavrel=PATH (in a console of %dx%d)\n", kColumns, kRows);
    return 2;
  }
  e2e::ConsoleSession session;
  Serve(session, tavrel);
  return 0;  // the session's destructor ends a game still running
}
