// The terminal under the console in a browser: the page's terminal widget,
// 80 columns by 25 rows. It is always in raw mode (line input echoes for
// itself, stdin_line_web.cpp), and its input never ends.
#include <emscripten/emscripten.h>

#include "console/terminal_tty.h"
#include "console/web_host.h"

namespace {
constexpr int kColumns = 80;
constexpr int kRows = 25;
}  // namespace

TerminalScreen* TerminalTtyScreen() {
  static TerminalScreen* screen = [] {
    static TerminalScreen s;
    TerminalScreenInit(&s, kColumns, kRows);
    return &s;
  }();
  return screen;
}

void TerminalTtyFlush() {
  TerminalScreen* screen = TerminalTtyScreen();
  if (screen->output.empty()) return;
  tavrel_web_term_write(reinterpret_cast<const uint8_t*>(screen->output.data()),
                        static_cast<int32_t>(screen->output.size()));
  screen->output.clear();
}

void TerminalTtyStart() {}

void TerminalTtyLineMode(bool) {}

int TerminalTtyRead(uint8_t* buffer, size_t size, int timeout_ms) {
  const int32_t room = static_cast<int32_t>(size);
  int32_t got = tavrel_web_term_read(buffer, room);
  if (got > 0) return got;
  if (timeout_ms == 0) {
    WebYieldIfDue();
    return tavrel_web_term_read(buffer, room);
  }
  // Other input (the mouse, a resize) also ends a wait: wait on until typed
  // bytes come or the time is up.
  const double end = emscripten_get_now() + timeout_ms;
  for (;;) {
    const double left = end - emscripten_get_now();
    if (timeout_ms > 0 && left <= 0) return 0;
    WebWait(timeout_ms < 0 ? -1 : static_cast<int32_t>(left + 0.999));
    got = tavrel_web_term_read(buffer, room);
    if (got > 0) return got;
  }
}
