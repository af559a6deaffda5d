// Opening the X display: XOpenDisplay alone cannot tell a missing DISPLAY from
// a server that turned the connection down, and the program's user needs to
// know which.
#include "gfx/window/x11_display.h"

#include <cstdlib>

#include "gfx/window/screen_failure_note.h"

Display* X11OpenDisplay() {
  const char* name = std::getenv("DISPLAY");
  if (!name || !*name) {
    NoteScreenFailure(ScreenFailure::kNoDisplay);
    return nullptr;
  }
  Display* d = XOpenDisplay(name);
  if (!d) NoteScreenFailure(ScreenFailure::kDisplayRefused);
  return d;
}
