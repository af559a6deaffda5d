// A stand-in game window with a known picture, used to check the window test
// harness itself: the same class naming, style and placement as the game's GDI
// window, an 8-bit picture handed to SetDIBitsToDevice, and a line on standard
// output for every key and close request it receives. '1' moves the marker one
// column left; Escape ends the program with status 0; close requests are counted
// and ignored.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
unsigned char g_pixels[kWidth * kHeight];
struct {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
} g_info;
int g_marker_col = 5;
int g_closes = 0;

void Report(const char* what, int value) {
  std::printf("%s %d\n", what, value);
  std::fflush(stdout);
}

// A white frame at the client's edges and a 10x10 white marker whose column the
// '1' key changes.
void DrawPicture() {
  std::memset(g_pixels, 0, sizeof g_pixels);
  for (int x = 0; x < kWidth; ++x) g_pixels[x] = g_pixels[(kHeight - 1) * kWidth + x] = 15;
  for (int y = 0; y < kHeight; ++y) g_pixels[y * kWidth] = g_pixels[y * kWidth + kWidth - 1] = 15;
  for (int y = 100; y < 110; ++y)
    for (int x = 0; x < 10; ++x) g_pixels[y * kWidth + g_marker_col * 40 + x] = 15;
}

void Show(HWND window) {
  HDC dc = GetDC(window);
  SetDIBitsToDevice(dc, 0, 0, kWidth, kHeight, 0, 0, 0, kHeight, g_pixels,
                    reinterpret_cast<BITMAPINFO*>(&g_info), DIB_RGB_COLORS);
  ReleaseDC(window, dc);
}

LRESULT CALLBACK FixtureProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLOSE:
      Report("close", ++g_closes);
      return 0;
    case WM_KEYDOWN:
      Report("key", static_cast<int>(wparam));
      if (wparam == VK_ESCAPE) PostQuitMessage(0);
      if (wparam == '1' && g_marker_col > 0) {
        --g_marker_col;
        DrawPicture();
        Show(window);
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(window, &ps);
      EndPaint(window, &ps);
      Show(window);
      return 0;
    }
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

void FillBitmapInfo() {
  g_info.header.biSize = sizeof g_info.header;
  g_info.header.biWidth = kWidth;
  g_info.header.biHeight = -kHeight;
  g_info.header.biPlanes = 1;
  g_info.header.biBitCount = 8;
  g_info.header.biCompression = BI_RGB;
  g_info.header.biClrUsed = 256;
  g_info.colours[15] = RGBQUAD{255, 255, 255, 0};
}

HWND CreateFixtureWindow() {
  WNDCLASSA wc = {};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = FixtureProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = "kvgfxclass_window_fixture";
  RegisterClassA(&wc);
  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT r = {0, 0, kWidth, kHeight};
  AdjustWindowRect(&r, style, FALSE);
  const int w = r.right - r.left, h = r.bottom - r.top;
  return CreateWindowExA(0, wc.lpszClassName, "window_fixture", WS_VISIBLE | style,
                         (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                         (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, nullptr, nullptr,
                         wc.hInstance, nullptr);
}

}  // namespace

int main() {
  FillBitmapInfo();
  DrawPicture();
  HWND window = CreateFixtureWindow();
  if (window == nullptr) return 3;
  SetForegroundWindow(window);
  Report("ready", 1);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
