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
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int ScreenSaver(int argc, char** argv) {
  if (argc == 3) SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, std::atoi(argv[2]) ? TRUE : FALSE, nullptr, 0);
  BOOL active = FALSE;
  if (!SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0)) return 1;
  std::printf("screensaver %d\n", active ? 1 : 0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "--screensaver") == 0) return ScreenSaver(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: window_query CLASS_NAME | --screensaver [VALUE]\n");
    return 2;
  }
  HWND window = FindWindowA(argv[1], nullptr);
  if (window == nullptr) {
    std::printf("none\n");
    return 1;
  }
  char title[256] = {};
  GetWindowTextA(window, title, sizeof title);
  RECT client = {};
  GetClientRect(window, &client);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  const unsigned long style = static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE));
  std::printf("%s %ld %ld %ld %ld %d %lx %d %d %llx\n", title[0] ? title : "-", client.right - client.left,
              client.bottom - client.top, origin.x, origin.y, IsWindowVisible(window) ? 1 : 0, style,
              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
              static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)));
  return 0;
}
