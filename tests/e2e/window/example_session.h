// One run of the OpenGL example program (examples/opengl_board.cpp) under Wine:
// started, its window found and focused, the king followed by its pixels.
#pragma once
#include <memory>
#include <optional>
#include <string>

#include "game_window.h"
#include "reference_board.h"

namespace e2e {

class ExampleSession {
 public:
  // Starts opengl_board.exe (with --unpaced when asked) and waits for its
  // window with the king on its start square (8, 8). Check Ready().
  // On a plain display the program runs as opengl_board_plain.exe, which the
  // test prefix gives a Wine desktop of its own with no virtual desktop: its
  // window is an X window, and the display reports a refresh rate of 1.
  enum class Desktop { kVirtual, kPlain };
  explicit ExampleSession(bool unpaced = false, Desktop desktop = Desktop::kVirtual);
  ~ExampleSession();
  bool Ready() const { return ready_; }
  const std::string& Failure() const { return failure_; }
  GameWindow& window() { return window_; }
  WineProcess& process() { return *process_; }

  // Finds the window again (after a fullscreen switch) and records its place.
  bool Refind(Millis limit = Millis(5000));
  // The one square whose king circle is drawn, or nothing.
  std::optional<Square> KingOnScreen();
  bool WaitKing(Square s, Millis limit = Millis(5000));
  // Sends a key through XTest and polls the pixel that the king's arrival at
  // `to` turns white every half millisecond; *ms is the time until it does.
  bool TimedKey(const std::string& key, Square to, double* ms);

 private:
  std::unique_ptr<WineProcess> process_;
  GameWindow window_;
  bool plain_ = false;
  bool ready_ = false;
  std::string failure_;
};

extern const char kExampleClass[];  // "kvgfxclass_opengl_board"

}  // namespace e2e
