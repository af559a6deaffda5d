// Starting Windows programs under Wine from the native end-to-end tests: each
// program's standard output goes to a file of its own (a pipe could be held open
// by Wine's background processes), standard input is an optional pipe for
// commands, and the exit status is collected with a time-out.
#pragma once
#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using Millis = std::chrono::milliseconds;

// Calls done() every few milliseconds until it is true or the time is up.
bool WaitFor(const std::function<bool()>& done, Millis limit, Millis step = Millis(10));

// Where the tests find their programs and prefix; from the environment that
// ctest sets (TAVREL_WINDOWS_BUILD, TAVREL_E2E_TOOLS, WINEPREFIX, DISPLAY,
// TAVREL_E2E_NATIVE).
struct E2eEnv {
  std::string windows_build;  // build/windows: tavrel.exe, tests/e2e/*.exe
  std::string work_dir;       // scratch folder for output files
  std::string native_program;  // the Linux tavrel under test; empty: the Windows one
  std::string native_examples;  // folder of the Linux example programs (TAVREL_E2E_NATIVE_EXAMPLES)
  static const E2eEnv& Get();
};

class WineProcess {
 public:
  // Starts `wine exe args...` (a Linux program, one whose name does not end in
  // .exe, directly); with_stdin gives it a pipe for Send().
  WineProcess(const std::string& exe, const std::vector<std::string>& args, bool with_stdin = false);
  ~WineProcess();
  WineProcess(const WineProcess&) = delete;
  WineProcess& operator=(const WineProcess&) = delete;

  bool Started() const { return pid_ > 0; }
  // Everything the program has written to standard output so far.
  std::string Output() const;
  // Everything it has written to standard error (Wine's own messages too).
  std::string Errors() const;
  // Waits until the output holds `text`.
  bool WaitOutput(const std::string& text, Millis limit) const;
  void Send(const std::string& line);
  // The exit status once the program has ended; nothing on time-out.
  std::optional<int> WaitExit(Millis limit);
  bool Running();
  void Kill();

 private:
  pid_t pid_ = -1;
  int stdin_fd_ = -1;
  std::optional<int> status_;
  std::string out_path_;
};

// Runs a short Windows program to its end and returns its output (and status);
// when it fails, what it wrote to standard error follows, marked as such.
std::string RunWine(const std::string& exe, const std::vector<std::string>& args, int* status = nullptr);

}  // namespace e2e
