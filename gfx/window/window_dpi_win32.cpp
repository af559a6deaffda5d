// The window on a dense display: the process asks to be told the display's real
// density (so that Windows does not stretch the window with smoothing), the
// window's whole-number scale is chosen from it (display_scale.h), and a move
// to a display of another density scales the window anew. Every entry point
// newer than the oldest supported Windows is looked up at run time.
#include "gfx/window/display_scale.h"
#include "gfx/window/window_state_win32.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace {

using SetContextFn = BOOL(WINAPI*)(HANDLE);
using SetAwareFn = BOOL(WINAPI*)();
using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using DpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

// The DPI_AWARENESS_CONTEXT handles, by their documented values.
const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-4));
const HANDLE kPerMonitorAware = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-3));

template <typename Fn>
Fn User32Entry(const char* name) {
  HMODULE user32 = GetModuleHandleA("user32.dll");
  return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

// GetDpiForMonitor lives in shcore.dll (Windows 8.1 on), which a program
// need not have loaded; it stays loaded for the process once found.
DpiForMonitorFn MonitorDpiEntry() {
  static HMODULE shcore = LoadLibraryA("shcore.dll");
  if (!shcore) return nullptr;
  return reinterpret_cast<DpiForMonitorFn>(reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")));
}

int32_t ScreenDeviceDpi() {
  HDC dc = GetDC(nullptr);
  if (!dc) return kBaseDpi;
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : kBaseDpi;
}

// The effective density of a monitor, or of the system where that is unknown.
int32_t MonitorDpi(HMONITOR monitor) {
  UINT x = 0, y = 0;
  if (DpiForMonitorFn entry = MonitorDpiEntry(); entry && monitor && SUCCEEDED(entry(monitor, 0, &x, &y)) && x > 0) {
    return static_cast<int32_t>(x);
  }
  return ScreenDeviceDpi();
}

RECT WorkAreaOf(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (monitor && GetMonitorInfoA(monitor, &info)) return info.rcWork;
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

// The outer rectangle of a client area at a density (the frame grows with it).
RECT OuterRect(int32_t client_w, int32_t client_h, DWORD style, int32_t dpi) {
  RECT r{0, 0, client_w, client_h};
  static const AdjustForDpiFn adjust = User32Entry<AdjustForDpiFn>("AdjustWindowRectExForDpi");
  if (!adjust || !adjust(&r, style & ~WS_VISIBLE, FALSE, 0, static_cast<UINT>(dpi))) {
    r = RECT{0, 0, client_w, client_h};
    AdjustWindowRect(&r, style & ~WS_VISIBLE, FALSE);
  }
  return r;
}

int32_t FactorFor(DWORD style, int32_t dpi, HMONITOR monitor) {
  const RECT frame = OuterRect(0, 0, style, dpi);
  const RECT work = WorkAreaOf(monitor);
  return DisplayScaleFactor(dpi, g_window.width, g_window.height, frame.right - frame.left,
                            frame.bottom - frame.top, work.right - work.left, work.bottom - work.top);
}

}  // namespace

void WindowFitClient(HWND window, int32_t w, int32_t h) {
  RECT client, outer;
  if (!GetClientRect(window, &client) || !GetWindowRect(window, &outer)) return;
  const int32_t dw = w - client.right, dh = h - client.bottom;
  if (dw == 0 && dh == 0) return;
  SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + dw, outer.bottom - outer.top + dh,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

HMONITOR PrimaryMonitor() { return MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY); }

}  // namespace

void WindowDeclareDpiAwareness() {
  // The manifest declares the same for the game; this serves every program
  // built on the library. Already declared, the call fails and changes nothing.
  if (SetContextFn set = User32Entry<SetContextFn>("SetProcessDpiAwarenessContext")) {
    if (set(kPerMonitorAwareV2) || set(kPerMonitorAware)) return;
  }
  if (SetAwareFn set = User32Entry<SetAwareFn>("SetProcessDPIAware")) set();
}

int32_t WindowScale() { return g_window.fullscreen || g_window.scale < 1 ? 1 : g_window.scale; }

RECT WindowChooseScale(DWORD style) {
  const int32_t dpi = MonitorDpi(PrimaryMonitor());
  g_window.scale = FactorFor(style, dpi, PrimaryMonitor());
  return OuterRect(g_window.width * g_window.scale, g_window.height * g_window.scale, style, dpi);
}

void WindowOnDpiChanged(WPARAM wparam, LPARAM lparam) {
  const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
  HWND window = g_window.window;
  if (!window || g_window.fullscreen || !suggested) return;
  const int32_t dpi = LOWORD(wparam);
  const DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
  const int32_t factor = FactorFor(style, dpi, MonitorFromRect(suggested, MONITOR_DEFAULTTONEAREST));
  const RECT outer = OuterRect(g_window.width * factor, g_window.height * factor, style, dpi);
  const bool rescaled = factor != g_window.scale;
  g_window.scale = factor;
  if (rescaled && g_window.rescale) g_window.rescale();
  SetWindowPos(window, nullptr, suggested->left, suggested->top, outer.right - outer.left,
               outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
  WindowFitClient(window, g_window.width * factor, g_window.height * factor);
  WindowMarkAllRowsDirty();
}

int32_t WindowDpiChangedMessage() { return WM_DPICHANGED; }
