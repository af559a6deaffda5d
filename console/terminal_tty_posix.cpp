// The terminal under the console: termios for the modes, TIOCGWINSZ for the
// size, poll and read for input. The settings found at start come back from
// the at-exit list and from the signal handlers, which then end the process
// with the signal's default action so that the parent sees how it ended.
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "console/terminal_tty.h"

namespace {

constexpr int kInput = STDIN_FILENO;
constexpr int kOutput = STDOUT_FILENO;
constexpr char kResetSequence[] = "\x1b[0m\x1b[?25h";

termios g_saved{};
volatile sig_atomic_t g_have_saved = 0;

void WriteAll(const char* bytes, size_t length) {
  while (length > 0) {
    ssize_t done = ::write(kOutput, bytes, length);
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) return;
    bytes += done;
    length -= static_cast<size_t>(done);
  }
}

// Async-signal-safe: termios and write only.
void RestoreTerminal() {
  if (!g_have_saved) return;
  g_have_saved = 0;
  tcsetattr(kInput, TCSAFLUSH, &g_saved);
  WriteAll(kResetSequence, sizeof kResetSequence - 1);
}

void OnSignal(int sig) {
  RestoreTerminal();
  signal(sig, SIG_DFL);
  raise(sig);
}

void SetMode(bool line) {
  termios mode = g_saved;
  if (line) {
    mode.c_lflag |= ICANON | ECHO | ECHOE;
    mode.c_iflag |= ICRNL;
  } else {
    mode.c_lflag &= ~(ICANON | ECHO);
    mode.c_iflag &= ~(ICRNL | IXON);
    mode.c_cc[VMIN] = 1;
    mode.c_cc[VTIME] = 0;
  }
  tcsetattr(kInput, TCSANOW, &mode);
}

void InstallHandlers() {
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigaction(sig, &action, nullptr);
}

// A terminal that reads nothing more (its window closed, its session gone)
// can never give the key the program waits for, and a program that polls for
// keys would spin on it for ever: end as a hang-up ends it. Raw reads of a
// live terminal never return 0, and a hung-up one fails even isatty.
void EndOnHangUp() { raise(SIGHUP); }

}  // namespace

TerminalScreen* TerminalTtyScreen() {
  static TerminalScreen* screen = [] {
    static TerminalScreen s;
    winsize size{};
    bool known = ioctl(kOutput, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 && size.ws_row > 0;
    TerminalScreenInit(&s, known ? size.ws_col : 80, known ? size.ws_row : 25);
    return &s;
  }();
  return screen;
}

void TerminalTtyFlush() {
  TerminalScreen* screen = TerminalTtyScreen();
  WriteAll(screen->output.data(), screen->output.size());
  screen->output.clear();
}

void TerminalTtyStart() {
  if (!isatty(kInput) || tcgetattr(kInput, &g_saved) != 0) return;
  g_have_saved = 1;
  std::atexit(RestoreTerminal);
  InstallHandlers();
  SetMode(false);
}

void TerminalTtyLineMode(bool line) {
  if (g_have_saved) SetMode(line);
}

int TerminalTtyRead(uint8_t* buffer, size_t size, int timeout_ms) {
  pollfd fd{kInput, POLLIN, 0};
  int ready;
  do {
    ready = poll(&fd, 1, timeout_ms);
  } while (ready < 0 && errno == EINTR);
  if (ready <= 0) return ready < 0 ? -1 : 0;
  ssize_t got;
  do {
    got = ::read(kInput, buffer, size);
  } while (got < 0 && errno == EINTR);
  if (got <= 0 && g_have_saved) EndOnHangUp();
  return got > 0 ? static_cast<int>(got) : -1;
}
