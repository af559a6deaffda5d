// The terminal layer against a real pseudo-terminal: each case runs the layer
// in a child process whose standard input and output are the terminal's slave
// side (its controlling terminal), types into the master side, and reads what
// the child reports through a pipe and what it wrote to the terminal.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "console/console_api.h"
#include "console/console_keys.h"
#include "console/stdin_line.h"
#include "console/terminal_tty.h"

namespace {

int g_report_fd = -1;  // the child's end of the report pipe

void Report(const std::string& line) {
  std::string text = line + "\n";
  if (::write(g_report_fd, text.data(), text.size()) < 0) std::_Exit(90);
}

int64_t NowMs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

bool SameSettings(const termios& a, const termios& b) {
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
         a.c_lflag == b.c_lflag && std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}

// One child on a fresh pseudo-terminal of cols x rows.
class PtyChild {
 public:
  PtyChild(const std::function<int()>& body, int cols = 80, int rows = 25) {
    winsize size{};
    size.ws_col = static_cast<unsigned short>(cols);
    size.ws_row = static_cast<unsigned short>(rows);
    int report[2];
    if (openpty(&master_, &slave_, nullptr, nullptr, &size) != 0 || pipe(report) != 0) return;
    tcgetattr(slave_, &initial_);
    pid_ = fork();
    if (pid_ == 0) {
      ::close(master_);
      ::close(report[0]);
      setsid();
      ioctl(slave_, TIOCSCTTY, 0);
      dup2(slave_, STDIN_FILENO);
      dup2(slave_, STDOUT_FILENO);
      g_report_fd = report[1];
      std::exit(body());  // the at-exit list runs, as at the program's end
    }
    ::close(report[1]);
    report_ = report[0];
  }
  ~PtyChild() {
    if (pid_ > 0 && !ended_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    for (int fd : {master_, slave_, report_}) {
      if (fd >= 0) ::close(fd);
    }
  }
  bool Started() const { return pid_ > 0; }
  pid_t Pid() const { return pid_; }
  const termios& Initial() const { return initial_; }
  termios Now() const {
    termios t{};
    tcgetattr(slave_, &t);
    return t;
  }
  // Waits up to about 5 s for the terminal's settings to satisfy wanted.
  template <typename Wanted>
  bool WaitSettings(Wanted wanted) const {
    for (int waited = 0; waited < 5000; waited += 2) {
      if (wanted(Now())) return true;
      usleep(2000);
    }
    return false;
  }
  void Type(const std::string& bytes) const {
    ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  // The child's next report line, or "<none>" after timeout_ms.
  std::string NextReport(int timeout_ms = 5000) {
    const int64_t end = NowMs() + timeout_ms;
    for (;;) {
      size_t eol = reports_.find('\n');
      if (eol != std::string::npos) {
        std::string line = reports_.substr(0, eol);
        reports_.erase(0, eol + 1);
        return line;
      }
      if (!ReadInto(report_, &reports_, end)) return "<none>";
    }
  }
  // Everything the child wrote to the terminal, read until text shows.
  bool OutputShows(const std::string& text, int timeout_ms = 5000) {
    const int64_t end = NowMs() + timeout_ms;
    while (output_.find(text) == std::string::npos) {
      if (!ReadInto(master_, &output_, end)) return false;
    }
    return true;
  }
  const std::string& Output() const { return output_; }
  // How the child ended: its wait status, or -1 when it did not end in time.
  int WaitEnd(int timeout_ms = 5000) {
    const int64_t end = NowMs() + timeout_ms;
    int status = 0;
    while (NowMs() < end) {
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        ended_ = true;
        return status;
      }
      usleep(5000);
    }
    return -1;
  }

 private:
  static bool ReadInto(int fd, std::string* into, int64_t end) {
    int64_t left = end - NowMs();
    if (left <= 0) return false;
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left)) <= 0) return false;
    char buffer[512];
    ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got <= 0) return false;
    into->append(buffer, static_cast<size_t>(got));
    return true;
  }

  int master_ = -1, slave_ = -1, report_ = -1;
  pid_t pid_ = -1;
  bool ended_ = false;
  termios initial_{};
  std::string reports_, output_;
};

// Starts raw input, says so, and waits for one key byte, which it reports.
int RawThenOneByte() {
  TerminalTtyStart();
  Report("raw");
  uint8_t byte = 0;
  int got = TerminalTtyRead(&byte, 1, -1);
  Report(std::to_string(got) + " " + std::to_string(byte));
  return 0;
}

TEST(TerminalOnPty, RawWhileKeysAreReadAndRestoredAtExit) {
  PtyChild child(RawThenOneByte);
  ASSERT_TRUE(child.Started());
  ASSERT_EQ(child.NextReport(), "raw");
  termios raw = child.Now();
  EXPECT_EQ(raw.c_lflag & (ICANON | ECHO), 0u);
  EXPECT_EQ(raw.c_iflag & (ICRNL | IXON), 0u);
  EXPECT_EQ(raw.c_cc[VMIN], 1);
  EXPECT_NE(raw.c_lflag & ISIG, 0u) << "Ctrl+C must still end the program";
  child.Type("q");
  EXPECT_EQ(child.NextReport(), "1 113");
  int status = child.WaitEnd();
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(SameSettings(child.Now(), child.Initial()));
  EXPECT_TRUE(child.OutputShows("\x1b[0m\x1b[?25h")) << "colours and cursor put back";
}

TEST(TerminalOnPty, SignalsRestoreTheSettingsAndEndTheProgramAsTheSignalDoes) {
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
    PtyChild child(RawThenOneByte);
    ASSERT_TRUE(child.Started());
    ASSERT_EQ(child.NextReport(), "raw") << strsignal(sig);
    if (sig == SIGINT) child.Type("\x03");  // Ctrl+C, as the terminal's driver sees it
    else kill(child.Pid(), sig);
    int status = child.WaitEnd();
    ASSERT_TRUE(WIFSIGNALED(status)) << strsignal(sig) << ": status " << status;
    EXPECT_EQ(WTERMSIG(status), sig);
    EXPECT_TRUE(SameSettings(child.Now(), child.Initial())) << strsignal(sig);
  }
}

// Reports every key code the console's _getch gives, until "q".
int ReportKeyCodes() {
  TerminalTtyStart();
  Report("ready");
  for (;;) {
    int code = ConsoleGetch();
    Report(std::to_string(code));
    if (code == 'q' || code < 0) return 0;
  }
}

TEST(TerminalOnPty, KeysComeAsTheCodesOfAWindowsConsole) {
  PtyChild child(ReportKeyCodes);
  ASSERT_TRUE(child.Started());
  ASSERT_EQ(child.NextReport(), "ready");
  struct Case {
    const char* typed;
    std::vector<std::string> codes;
  };
  const Case cases[] = {
      {"1", {"49"}},
      {"\r", {"13"}},
      {"\x1b[A", {"224", "72"}},      // Up
      {"\x1b[6~", {"224", "81"}},     // Page Down
      {"\x1bOP", {"0", "59"}},        // F1
      {"\xd0\xb6", {"166"}},          // Cyrillic zhe, as code page 866
      {"\x1b", {"27"}},               // a lone Escape, after its time-out
      {"q", {"113"}},
  };
  for (const Case& c : cases) {
    child.Type(c.typed);
    for (const std::string& code : c.codes) EXPECT_EQ(child.NextReport(), code) << "typed " << c.typed;
  }
  int status = child.WaitEnd();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// Reads one line with standard input's line reader and reports its bytes in hex.
int ReportOneLine() {
  TerminalTtyStart();
  Report("ready");
  char line[64];
  char* got = ReadStandardInputLine(line, sizeof line);
  std::string hex;
  for (const char* p = got; p && *p; ++p) {
    char two[4];
    std::snprintf(two, sizeof two, "%02x", static_cast<uint8_t>(*p));
    hex += two;
  }
  Report(got ? hex : "null");
  Report("after");
  uint8_t byte = 0;
  TerminalTtyRead(&byte, 1, -1);
  return 0;
}

TEST(TerminalOnPty, LineInputIsEchoedEditableAndBecomesCodePage866) {
  PtyChild child(ReportOneLine);
  ASSERT_TRUE(child.Started());
  ASSERT_EQ(child.NextReport(), "ready");
  // Bytes typed before the reader switched the terminal to line mode would be
  // taken raw, unechoed, with Enter left a carriage return.
  ASSERT_TRUE(child.WaitSettings([](const termios& t) { return (t.c_lflag & ICANON) != 0; }));
  child.Type("12\x7f" "3 \xd0\xb4\xd0\xb0\r");  // "12", Backspace, "3 да", Enter
  EXPECT_EQ(child.NextReport(), "313320a4a00a");  // "13 ", д and а in code page 866, line feed
  EXPECT_TRUE(child.OutputShows("12\b \b3")) << "echo of the edited line: " << child.Output();
  ASSERT_EQ(child.NextReport(), "after");
  termios after = child.Now();
  EXPECT_EQ(after.c_lflag & (ICANON | ECHO), 0u) << "raw again for the keys that follow";
  child.Type("x");
  int status = child.WaitEnd();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_TRUE(SameSettings(child.Now(), child.Initial()));
}

int ReportSizes() {
  TerminalScreen* screen = TerminalTtyScreen();
  ConsoleBufferInfo info{};
  bool known = g_console_api.get_buffer_info(g_console_api.std_handle(1), &info);
  ConsoleCoord largest = g_console_api.largest_window_size(g_console_api.std_handle(1));
  Report(std::to_string(screen->width) + "x" + std::to_string(screen->height));
  Report(known ? std::to_string(info.size.x) + "x" + std::to_string(info.size.y) : "unknown");
  Report(std::to_string(largest.x) + "x" + std::to_string(largest.y));
  return 0;
}

TEST(TerminalOnPty, ScreenSizeComesFromTheTerminal) {
  PtyChild child(ReportSizes, 100, 30);
  ASSERT_TRUE(child.Started());
  EXPECT_EQ(child.NextReport(), "100x30");
  EXPECT_EQ(child.NextReport(), "100x30");
  EXPECT_EQ(child.NextReport(), "100x29");  // the text view ends a row above the largest window
  EXPECT_EQ(child.WaitEnd(), 0);
}

}  // namespace
