// The console half of a window test for the Linux program: tavrel runs in a
// tmux pane of its own (its own server socket, so nothing is shared with
// another session or a user's tmux), under a small shell that records its
// process id and its exit status. Keys go in with send-keys, cells and
// colours come back from capture-pane.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "game_console.h"

namespace e2e {

class TerminalDriver : public GameConsole {
 public:
  explicit TerminalDriver(const std::string& program);
  // Ends the program if it still runs (a pane's hang-up does not reach a
  // program that no longer reads its terminal) and then the tmux server.
  ~TerminalDriver() override;
  bool Start() override;
  bool WaitText(const std::string& text) override;
  bool Key(const std::string& key) override;
  ConsoleScreen Screen() override;
  // -1 when the program ended but left the terminal's settings changed.
  std::optional<int> WaitExit(Millis limit) override;
  std::optional<int> ProgramPid() override;
  std::string Log() const override;

 private:
  std::string Tmux(const std::vector<std::string>& args, int* status = nullptr) const;
  std::string ReadFileOf(const std::string& name) const;
  std::string program_;
  std::string dir_;
  bool started_ = false;
};

// The cells of a `tmux capture-pane -p -e` text: UTF-8 characters, and SGR
// colours turned into console attributes (ANSI's order of colours mapped to
// the console's, bright as intensity).
ConsoleScreen ParseCapturedPane(const std::string& text, int columns);

}  // namespace e2e
