// The Linux program in a tmux pane (see terminal_driver.h).
#include "terminal_driver.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

extern char** environ;

namespace e2e {
namespace {

constexpr int kColumns = 80;
constexpr int kRows = 26;

// Runs a program to its end and returns what it wrote on standard output.
std::string RunCapture(const std::vector<std::string>& args, int* status) {
  std::vector<char*> argv;
  std::vector<std::string> copy = args;
  for (auto& a : copy) argv.push_back(a.data());
  argv.push_back(nullptr);
  // Close-on-exec, so that only the dup2'd copy reaches the child: tmux's
  // server outlives the command that starts it, and an inherited write end
  // would keep this read from ever seeing the end of the output.
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return "";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  pid_t pid = -1;
  const bool spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  std::string out;
  char buf[4096];
  ssize_t n;
  while (spawned && (n = read(fds[0], buf, sizeof buf)) > 0) out.append(buf, static_cast<size_t>(n));
  close(fds[0]);
  int raw = 0;
  const bool waited = spawned && waitpid(pid, &raw, 0) == pid;
  if (status) *status = waited && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return out;
}

// tmux's name for a key of the GameDriver's vocabulary.
std::vector<std::string> KeyArgs(const std::string& key) {
  if (key == "enter") return {"Enter"};
  if (key == "esc") return {"Escape"};
  if (key == "space") return {"Space"};
  if (key == "up") return {"Up"};
  if (key == "down") return {"Down"};
  if (key == "left") return {"Left"};
  if (key == "right") return {"Right"};
  return {"-l", key};
}

// The console's colour number for ANSI colour i (black, red, green, yellow,
// blue, magenta, cyan, white).
uint8_t ConsoleColour(int i) {
  static constexpr uint8_t kFromAnsi[8] = {0, 4, 2, 6, 1, 5, 3, 7};
  return kFromAnsi[i & 7];
}

void ApplySgr(const std::string& params, uint8_t* attr) {
  std::istringstream in(params);
  std::string part;
  bool any = false;
  while (std::getline(in, part, ';')) {
    any = true;
    const int code = part.empty() ? 0 : std::atoi(part.c_str());
    if (code == 0) *attr = 0x07;
    else if (code >= 30 && code <= 37) *attr = static_cast<uint8_t>((*attr & 0xF0) | ConsoleColour(code - 30));
    else if (code >= 90 && code <= 97) *attr = static_cast<uint8_t>((*attr & 0xF0) | 8 | ConsoleColour(code - 90));
    else if (code == 39) *attr = static_cast<uint8_t>((*attr & 0xF0) | 0x07);
    else if (code >= 40 && code <= 47) *attr = static_cast<uint8_t>((*attr & 0x0F) | ConsoleColour(code - 40) << 4);
    else if (code >= 100 && code <= 107) *attr = static_cast<uint8_t>((*attr & 0x0F) | (8 | ConsoleColour(code - 100)) << 4);
    else if (code == 49) *attr = static_cast<uint8_t>(*attr & 0x0F);
  }
  if (!any) *attr = 0x07;
}

// One UTF-8 character at text[*i] (advancing *i); BMP only, which is all the
// game writes.
char16_t NextChar(const std::string& text, size_t* i) {
  const auto b = static_cast<uint8_t>(text[(*i)++]);
  int more = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
  uint32_t c = more == 0 ? b : b & (0x3F >> more);
  for (; more > 0 && *i < text.size(); --more) c = c << 6 | (static_cast<uint8_t>(text[(*i)++]) & 0x3F);
  return c > 0xFFFF ? u'?' : static_cast<char16_t>(c);
}

}  // namespace

ConsoleScreen ParseCapturedPane(const std::string& text, int columns) {
  ConsoleScreen screen;
  std::vector<ConsoleCell> row;
  uint8_t attr = 0x07;  // a capture carries its colours on from row to row
  auto end_row = [&] {
    row.resize(static_cast<size_t>(columns), ConsoleCell{u' ', attr});
    screen.push_back(std::move(row));
    row.clear();
  };
  for (size_t i = 0; i < text.size();) {
    if (text[i] == '\n') {
      ++i;
      end_row();
    } else if (text[i] == '\x1b' && i + 1 < text.size() && text[i + 1] == '[') {
      const size_t final_at = text.find_first_not_of("0123456789;", i + 2);
      if (final_at == std::string::npos) break;
      if (text[final_at] == 'm') ApplySgr(text.substr(i + 2, final_at - i - 2), &attr);
      i = final_at + 1;
    } else {
      const char16_t c = NextChar(text, &i);
      if (static_cast<int>(row.size()) < columns) row.push_back({c, attr});
    }
  }
  if (!row.empty()) end_row();
  return screen;
}

TerminalDriver::TerminalDriver(const std::string& program) : program_(program) {
  std::string pattern = E2eEnv::Get().work_dir + "/tmux-XXXXXX";
  if (mkdtemp(pattern.data()) != nullptr) dir_ = pattern;
}

TerminalDriver::~TerminalDriver() {
  if (started_) {
    if (!WaitExit(Millis(0))) {
      if (auto pid = ProgramPid()) kill(*pid, SIGTERM);
      WaitExit(Millis(5000));
    }
    Tmux({"kill-server"});
  }
  if (!dir_.empty() && std::getenv("TAVREL_E2E_KEEP_OUTPUT") == nullptr) {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
}

std::string TerminalDriver::Tmux(const std::vector<std::string>& args, int* status) const {
  std::vector<std::string> all = {"tmux", "-S", dir_ + "/socket"};
  all.insert(all.end(), args.begin(), args.end());
  return RunCapture(all, status);
}

std::string TerminalDriver::ReadFileOf(const std::string& name) const {
  std::ifstream in(dir_ + "/" + name);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool TerminalDriver::Start() {
  if (dir_.empty() || started_) return false;
  // The inner shell writes its own id and becomes the program, so "pid" is the
  // program's; the outer one keeps the pane open after it to record the status.
  const char* display = std::getenv("DISPLAY");
  const std::string env = display ? std::string("export DISPLAY='") + display + "'; " : "unset DISPLAY; ";
  const std::string shell = env +
      "trap ':' INT TERM HUP; stty -g > \"$1/before\"; "
      "sh -c 'echo $$ > \"$0/pid\"; exec \"$1\"' \"$1\" \"$2\"; echo $? > \"$1/status.tmp\"; "
      "stty -g > \"$1/after\"; mv \"$1/status.tmp\" \"$1/status\"; exec sleep 600";
  int status = -1;
  Tmux({"new-session", "-d", "-x", std::to_string(kColumns), "-y", std::to_string(kRows), "-s", "t", "sh",
        "-c", shell, "sh", dir_, program_},
       &status);
  if (status != 0) return false;
  started_ = true;
  Tmux({"set-option", "-t", "t", "remain-on-exit", "on"});
  return WaitFor([&] { return ProgramPid().has_value() || WaitExit(Millis(0)).has_value(); }, Millis(10000));
}

bool TerminalDriver::WaitText(const std::string& text) {
  return WaitFor([&] { return Tmux({"capture-pane", "-p", "-t", "t"}).find(text) != std::string::npos; },
                 Millis(30000), Millis(20));
}

bool TerminalDriver::Key(const std::string& key) {
  std::vector<std::string> args = {"send-keys", "-t", "t"};
  for (const auto& a : KeyArgs(key)) args.push_back(a);
  int status = -1;
  Tmux(args, &status);
  return status == 0;
}

ConsoleScreen TerminalDriver::Screen() {
  ConsoleScreen screen = ParseCapturedPane(Tmux({"capture-pane", "-p", "-e", "-t", "t"}), kColumns);
  screen.resize(kRows, std::vector<ConsoleCell>(kColumns, ConsoleCell{u' ', 0x07}));
  return screen;
}

std::optional<int> TerminalDriver::WaitExit(Millis limit) {
  std::optional<int> status;
  WaitFor(
      [&] {
        const std::string text = ReadFileOf("status");
        if (!text.empty()) status = std::atoi(text.c_str());
        return status.has_value();
      },
      limit, Millis(10));
  // Ending with the terminal left raw or without echo fails the player
  // whatever the status says, so it is reported as a failure of its own.
  if (status && ReadFileOf("before") != ReadFileOf("after")) status = -1;
  return status;
}

std::optional<int> TerminalDriver::ProgramPid() {
  const std::string text = ReadFileOf("pid");
  const int pid = std::atoi(text.c_str());
  if (pid <= 0) return std::nullopt;
  return pid;
}

std::string TerminalDriver::Log() const { return Tmux({"capture-pane", "-p", "-t", "t"}); }

}  // namespace e2e
