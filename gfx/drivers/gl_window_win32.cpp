// Placing the OpenGL window: windowed and centred, or fullscreen in a display
// mode of the screen's size. The window, its DC and the rendering context stay
// across the fullscreen switch; only the display mode, style and place change.
#include "gfx/drivers/gl_format.h"
#include "gfx/drivers/gl_state_win32.h"
#include "gfx/screen.h"
#include "gfx/window/window_geometry.h"

namespace {

constexpr DWORD kClipStyle = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD kWindowedStyle =
    kClipStyle | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

struct Placement {
  DWORD style;
  HWND order;
  RECT rect;  // left, top, width, height
};

bool EnterDisplayMode() {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  mode.dmPelsWidth = static_cast<DWORD>(g_window.width);
  mode.dmPelsHeight = static_cast<DWORD>(g_window.height);
  mode.dmBitsPerPel = static_cast<DWORD>(g_window.depth);
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
  return ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

Placement FullscreenPlacement() {
  return {WS_POPUP | kClipStyle, HWND_TOPMOST, {0, 0, g_window.width, g_window.height}};
}

Placement WindowedPlacement() {
  RECT r{0, 0, g_window.width, g_window.height};
  AdjustWindowRectEx(&r, kWindowedStyle, FALSE, 0);
  int32_t outer_w = r.right - r.left;
  int32_t outer_h = r.bottom - r.top;
  int32_t x = 0, y = 0;
  CentredOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), outer_w, outer_h,
                &x, &y);
  return {kWindowedStyle, HWND_NOTOPMOST, {x, y, outer_w, outer_h}};
}

void ReadRefreshRate() {
  if (g_screen) g_screen->refresh_rate = g_gl.dc ? GetDeviceCaps(g_gl.dc, VREFRESH) : 0;
}

}  // namespace

int32_t GlPlaceWindow() {
  HWND w = g_window.window;
  ShowWindow(w, SW_HIDE);
  if (g_window.fullscreen && !EnterDisplayMode()) return -1;
  Placement p = g_window.fullscreen ? FullscreenPlacement() : WindowedPlacement();
  SetWindowLongA(w, GWL_STYLE, static_cast<LONG>(p.style));
  SetWindowPos(w, p.order, p.rect.left, p.rect.top, p.rect.right, p.rect.bottom,
               SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOCOPYBITS);
  SetForegroundWindow(w);
  g_window.active = kFlagSet;
  ReadRefreshRate();
  return 0;
}

void GlLeaveFullscreen() {
  if (g_window.fullscreen) ChangeDisplaySettingsA(nullptr, 0);
}

// The program redraws every frame itself.
void GlNoPaint() {}

PIXELFORMATDESCRIPTOR GlPixelFormatRequest(int32_t depth, int32_t flags) {
  GlFormatRequest r = GlFormatRequestFor(depth, flags);
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.nSize = sizeof pfd;
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = static_cast<BYTE>(r.colour_bits);
  pfd.cDepthBits = static_cast<BYTE>(r.depth_bits);
  pfd.cStencilBits = static_cast<BYTE>(r.stencil_bits);
  pfd.cAccumBits = static_cast<BYTE>(r.accum_bits);
  pfd.iLayerType = PFD_MAIN_PLANE;
  return pfd;
}
