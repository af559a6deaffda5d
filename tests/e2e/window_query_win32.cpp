// Asks Wine itself where a program's window is: finds it by class name and
// prints one line "TITLE CLIENT_W CLIENT_H SCREEN_X SCREEN_Y VISIBLE STYLE
// DISPLAY_W DISPLAY_H HANDLE": the client area's size, its top-left corner on
// the X screen, the window style in hex (the maximise box tells the DirectX
// window from the GDI one), the size of the display (the desktop's current
// mode) and the window's handle in hex (a window made anew has another).
// Exit status 1 (and the line "none") when no such window exists.
// With --screensaver it prints "screensaver 0|1", the session's screen saver
// setting as every program sees it, after setting it to VALUE when given.
//   window_query CLASS_NAME
//   window_query --screensaver [VALUE]
#include <cstdio>

#include "window_queries_win32.h"

int main(int argc, char** argv) {
  std::string out;
  const int status = QueryWindowLine(argc, argv, &out);
  std::fputs(out.c_str(), status == 2 ? stderr : stdout);
  return status;
}
