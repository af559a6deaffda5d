// Windows programs under Wine for the native end-to-end tests (see wine_process.h).
#include "wine_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace e2e {

bool WaitFor(const std::function<bool()>& done, Millis limit, Millis step) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return done();
    std::this_thread::sleep_for(step);
  }
  return true;
}

namespace {

std::string Setting(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0' ? value : fallback;
}

}  // namespace

const E2eEnv& E2eEnv::Get() {
  static const E2eEnv env = [] {
    E2eEnv e;
    e.windows_build = Setting("TAVREL_WINDOWS_BUILD", TAVREL_E2E_DEFAULT_WINDOWS_BUILD);
    e.work_dir = Setting("TAVREL_E2E_WORK", TAVREL_E2E_DEFAULT_WORK);
    e.native_program = Setting("TAVREL_E2E_NATIVE", TAVREL_E2E_DEFAULT_NATIVE);
    e.native_examples = Setting("TAVREL_E2E_NATIVE_EXAMPLES", TAVREL_E2E_DEFAULT_NATIVE_EXAMPLES);
    // Every Wine program of these tests runs in the prefix with the virtual
    // desktop, never in whatever prefix the caller's environment names.
    const std::string prefix = Setting("TAVREL_E2E_PREFIX", TAVREL_E2E_DEFAULT_PREFIX);
    setenv("WINEPREFIX", prefix.c_str(), 1);
    setenv("WINEDEBUG", "-all", 0);
    setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 0);
    return e;
  }();
  return env;
}

namespace {

std::string NextOutputPath() {
  static std::atomic<int> counter{0};
  return E2eEnv::Get().work_dir + "/wine-" + std::to_string(getpid()) + "-" +
         std::to_string(counter++) + ".out";
}

}  // namespace

WineProcess::WineProcess(const std::string& exe, const std::vector<std::string>& args,
                         bool with_stdin)
    : out_path_(NextOutputPath()) {
  const bool linux_program = !exe.ends_with(".exe");
  std::vector<std::string> argv_s = {"wine", exe};
  if (linux_program) argv_s.erase(argv_s.begin());
  argv_s.insert(argv_s.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : argv_s) argv.push_back(a.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  int pipe_fds[2] = {-1, -1};
  if (with_stdin && pipe(pipe_fds) == 0) {
    posix_spawn_file_actions_adddup2(&actions, pipe_fds[0], 0);
    posix_spawn_file_actions_addclose(&actions, pipe_fds[1]);
    stdin_fd_ = pipe_fds[1];
    fcntl(stdin_fd_, F_SETFD, FD_CLOEXEC);
  } else {
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  }
  posix_spawn_file_actions_addopen(&actions, 1, out_path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, (out_path_ + ".err").c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (posix_spawnp(&pid_, argv_s[0].c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
  if (pipe_fds[0] >= 0) close(pipe_fds[0]);
}

WineProcess::~WineProcess() {
  Kill();
  if (stdin_fd_ >= 0) close(stdin_fd_);
  if (std::getenv("TAVREL_E2E_KEEP_OUTPUT") != nullptr) return;  // for a look after a failure
  unlink(out_path_.c_str());
  unlink((out_path_ + ".err").c_str());
}

namespace {

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

std::string WineProcess::Output() const { return FileText(out_path_); }

std::string WineProcess::Errors() const { return FileText(out_path_ + ".err"); }

bool WineProcess::WaitOutput(const std::string& text, Millis limit) const {
  return WaitFor([&] { return Output().find(text) != std::string::npos; }, limit);
}

void WineProcess::Send(const std::string& line) {
  if (stdin_fd_ < 0) return;
  std::string data = line + "\n";
  ssize_t ignored = write(stdin_fd_, data.data(), data.size());
  (void)ignored;
}

bool WineProcess::Running() {
  if (pid_ <= 0 || status_) return false;
  int raw = 0;
  if (waitpid(pid_, &raw, WNOHANG) != pid_) return true;
  status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
  return false;
}

std::optional<int> WineProcess::WaitExit(Millis limit) {
  WaitFor([&] { return !Running(); }, limit, Millis(5));
  return status_;
}

void WineProcess::Kill() {
  if (!Running()) return;
  kill(pid_, SIGKILL);
  WaitExit(Millis(5000));
}

std::string RunWine(const std::string& exe, const std::vector<std::string>& args, int* status) {
  WineProcess p(exe, args);
  auto code = p.WaitExit(Millis(30000));
  if (status) *status = code.value_or(-1);
  if (code == 0) return p.Output();
  return p.Output() + " [standard error: " + p.Errors() + "]";
}

}  // namespace e2e
