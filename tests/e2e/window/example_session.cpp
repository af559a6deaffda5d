// Runs of the OpenGL example program, followed from the outside.
#include "example_session.h"

#include <time.h>

#include "tests/e2e/tools/x11_probe.h"

namespace e2e {

const char kExampleClass[] = "kvgfxclass_opengl_board";

ExampleSession::ExampleSession(bool unpaced) {
  RestoreDesktopMode();
  std::vector<std::string> args;
  if (unpaced) args.push_back("--unpaced");
  process_ = std::make_unique<WineProcess>(E2eEnv::Get().windows_build + "/opengl_board.exe", args);
  if (!process_->Started()) {
    failure_ = "opengl_board.exe did not start";
    return;
  }
  if (!window_.Find(kExampleClass, "opengl_board", Millis(20000))) {
    failure_ = "no window of class " + std::string(kExampleClass);
    return;
  }
  if (!Refind()) {
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
