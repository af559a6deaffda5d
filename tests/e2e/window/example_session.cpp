// Runs of the OpenGL example program, followed from the outside.
#include "example_session.h"

#include <time.h>

#include <filesystem>

#include "game_console.h"
#include "tests/e2e/tools/x11_probe.h"

namespace e2e {

const char kExampleClass[] = "kvgfxclass_opengl_board";

namespace {

// The example under the name that the test prefix (desktop-prefix.sh) gives a
// plain desktop.
std::string PlainCopy(std::string* failure) {
  const std::string copy = E2eEnv::Get().work_dir + "/opengl_board_plain.exe";
  std::error_code error;
  std::filesystem::copy_file(E2eEnv::Get().windows_build + "/opengl_board.exe", copy,
                             std::filesystem::copy_options::overwrite_existing, error);
  if (error) *failure = "cannot copy opengl_board.exe: " + error.message();
  return copy;
}

}  // namespace

namespace {

// The Linux OpenGL example, beside the other examples; empty when not built.
std::string ExampleProgram() {
  const std::string dir = E2eEnv::Get().native_examples;
  return dir.empty() ? "" : dir + "/opengl_board";
}

}  // namespace

ExampleSession::ExampleSession(bool unpaced, Desktop desktop) : plain_(desktop == Desktop::kPlain) {
  RestoreDesktopMode();
  std::vector<std::string> args;
  if (unpaced) args.push_back("--unpaced");
  // The Linux example's window is an X window on the test's own display:
  // there is no virtual desktop to leave.
  const bool native = NativeProgramUnderTest();
  if (native) plain_ = false;
  const std::string exe = native  ? ExampleProgram()
                          : plain_ ? PlainCopy(&failure_)
                                   : E2eEnv::Get().windows_build + "/opengl_board.exe";
  if (exe.empty()) failure_ = "the Linux OpenGL example was not built";
  if (!failure_.empty()) return;
  process_ = std::make_unique<WineProcess>(exe, args);
  if (!process_->Started()) {
    failure_ = exe + " did not start";
    return;
  }
  // The window is first shown at a placeholder size and then placed.
  const auto placed = [&] {
    return window_.FindTopLevelX("opengl_board_plain", Millis(100)) && window_.Info().client_w == kClientW &&
           window_.Info().client_h == kClientH;
  };
  const bool found = plain_ ? WaitFor(placed, Millis(20000), Millis(50))
                            : window_.Find(kExampleClass, "opengl_board", Millis(20000));
  if (!found) {
    failure_ = plain_ ? "no X window opengl_board_plain" : "no window of class " + std::string(kExampleClass);
    return;
  }
  if (!plain_ && !Refind()) {
    failure_ = "the window never got its 640x480 client area";
    return;
  }
  window_.Focus();
  if (!WaitKing(Square{8, 8}, Millis(10000))) {
    failure_ = "no king on (8, 8)";
    return;
  }
  ready_ = true;
}

ExampleSession::~ExampleSession() {
  if (process_ && process_->Running()) process_->Kill();
}

// The window is first shown at a placeholder size and then placed: only a
// 640x480 client area is where the picture will be.
bool ExampleSession::Refind(Millis limit) {
  const bool placed = WaitFor(
      [&] {
        auto info = QueryWindow(kExampleClass);
        return info && info->visible && info->client_w == kClientW && info->client_h == kClientH;
      },
      limit, Millis(50));
  return placed && window_.Find(kExampleClass, "opengl_board", limit);
}

// A square holds the king when the circle's top, bottom, left and right pixels
// are white and its centre is not.
std::optional<Square> ExampleSession::KingOnScreen() {
  Shot board = window_.Grab(0, 0, 360, 360);
  if (!board.Ok()) return std::nullopt;
  std::optional<Square> found;
  for (int col = 1; col <= 8; ++col) {
    for (int row = 1; row <= 8; ++row) {
      const int x = KingX({col, row}), y = KingY({col, row});
      const bool drawn = board.At(x, y - 10) == kWhite && board.At(x, y + 10) == kWhite &&
                         board.At(x - 10, y) == kWhite && board.At(x + 10, y) == kWhite &&
                         board.At(x, y) == kBlack;
      if (!drawn) continue;
      if (found) return std::nullopt;
      found = Square{col, row};
    }
  }
  return found;
}

bool ExampleSession::WaitKing(Square s, Millis limit) {
  return WaitFor([&] { return KingOnScreen() == std::optional<Square>(s); }, limit, Millis(20));
}

bool ExampleSession::TimedKey(const std::string& key, Square to, double* ms) {
  const int x = window_.Info().screen_x + KingX(to) + 10, y = window_.Info().screen_y + KingY(to);
  Display* d = window_.display();
  const int64_t start = ProbeNowNs();
  if (ProbeKey(d, key.c_str()) != 0) return false;
  const struct timespec half = {0, 500000};
  while (ProbePixel(d, x, y) != kWhite) {
    if (ProbeNowNs() - start > 5'000'000'000) return false;
    nanosleep(&half, nullptr);
  }
  *ms = static_cast<double>(ProbeNowNs() - start) / 1e6;
  return WaitKing(to);
}

}  // namespace e2e
