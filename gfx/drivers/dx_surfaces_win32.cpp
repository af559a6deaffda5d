// The DirectX driver's window and surfaces: a popup covering the display in
// exclusive mode fullscreen, or a centred window whose off-screen surface is
// blitted into it; the DirectDraw palette of 8-bit displays; the blitter for
// the display's pixel format and the conversion of dirty rows.
#include <cstring>

#include "gfx/drivers/display_modes.h"
#include "gfx/drivers/dx_objects_win32.h"
#include "gfx/screen.h"
#include "gfx/window/window_geometry.h"
#include "gfx/window/window_state_win32.h"

namespace {

constexpr DWORD kWindowedStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

DDSURFACEDESC SurfaceDesc(DWORD flags, DWORD caps) {
  DDSURFACEDESC desc;
  std::memset(&desc, 0, sizeof desc);
  desc.dwSize = sizeof desc;  // the structure's real size: the 32-bit one is refused on x86-64
  desc.dwFlags = flags;
  desc.ddsCaps.dwCaps = caps;
  return desc;
}

bool CreateBackSurface() {
  DDSURFACEDESC desc = SurfaceDesc(DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT, DDSCAPS_VIDEOMEMORY);
  desc.dwWidth = static_cast<DWORD>(g_window.width * WindowScale());
  desc.dwHeight = static_cast<DWORD>(g_window.height * WindowScale());
  return SUCCEEDED(g_dx.ddraw->CreateSurface(&desc, &g_dx.back, nullptr)) && g_dx.back;
}

bool CreatePalette() {
  auto* entries = reinterpret_cast<PALETTEENTRY*>(g_window.display_palette);
  if (FAILED(g_dx.ddraw->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &g_dx.dd_palette,
                                       nullptr))) {
    g_dx.dd_palette = nullptr;
    return false;
  }
  if (FAILED(g_dx.primary->SetPalette(g_dx.dd_palette))) return false;
  InterlockedExchange(&g_window.palette_changed, 0);
  return true;
}

bool ChooseBlitter(const DDPIXELFORMAT& format) {
  const SurfaceFormat f =
      SurfaceFormatFromMasks(format.dwRGBBitCount, format.dwRBitMask, format.dwGBitMask);
  g_window.blitter = SelectBlitter(f.depth, f.rgb_order);
  return g_window.blitter != nullptr;
}

// The display may keep the old picture where a taller mode leaves rows above
// and below the screen's own: those must be black.
void ClearPrimary() {
  DDBLTFX fx;
  std::memset(&fx, 0, sizeof fx);
  fx.dwSize = sizeof fx;
  fx.dwFillColor = 0;
  g_dx.primary->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

}  // namespace

bool DxCreateFullscreenWindow() {
  g_dx.desktop_mode.dmSize = sizeof g_dx.desktop_mode;
  g_dx.desktop_mode_saved =
      EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &g_dx.desktop_mode) != FALSE;
  g_window.window = CreateWindowExA(0, g_window.class_name, g_window.title, WS_POPUP | WS_VISIBLE,
                                    0, 0, GetSystemMetrics(SM_CXSCREEN),
                                    GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                    g_window.instance, nullptr);
  if (!g_window.window) return false;
  const DWORD level = DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE;
  if (FAILED(g_dx.ddraw->SetCooperativeLevel(g_window.window, level))) return false;
  return DxSetFullscreenMode();
}

bool DxCreateWindowedWindow() {
  g_window.window = WindowCreateCentred(WS_VISIBLE | kWindowedStyle);
  if (!g_window.window) return false;
  RECT outer;
  if (GetWindowRect(g_window.window, &outer)) {
    g_dx.source_rect = RECT{0, 0, outer.right - outer.left, outer.bottom - outer.top};
  }
  if (FAILED(g_dx.ddraw->SetCooperativeLevel(g_window.window, DDSCL_NORMAL))) return false;
  g_dx.y_offset = 0;
  g_window.picture_top = 0;
  return DxCreateClipper();
}

bool DxCreateClipper() {
  if (FAILED(g_dx.ddraw->CreateClipper(0, &g_dx.clipper, nullptr))) {
    g_dx.clipper = nullptr;
    return false;
  }
  return SUCCEEDED(g_dx.clipper->SetHWnd(0, g_window.window));
}

bool DxCreateSurfaces() {
  DDSURFACEDESC desc = SurfaceDesc(DDSD_CAPS, DDSCAPS_PRIMARYSURFACE);
  if (FAILED(g_dx.ddraw->CreateSurface(&desc, &g_dx.primary, nullptr)) || !g_dx.primary) {
    g_dx.primary = nullptr;
    return false;
  }
  if (g_window.fullscreen) {
    g_dx.back = g_dx.primary;
    ClearPrimary();
  } else if (FAILED(g_dx.primary->SetClipper(g_dx.clipper)) || !CreateBackSurface()) {
    return false;
  }
  DDPIXELFORMAT format;
  std::memset(&format, 0, sizeof format);
  format.dwSize = sizeof format;
  if (FAILED(g_dx.primary->GetPixelFormat(&format)) || !(format.dwFlags & DDPF_RGB)) return false;
  g_dx.primary_format = format;
  if (format.dwRGBBitCount == 8 && !CreatePalette()) return false;
  return ChooseBlitter(format);
}

bool DxRecreateBackSurface() {
  DxRelease(g_dx.back);
  return CreateBackSurface();
}

void DxReleaseSurfaces() {
  DxFreeStage();
  if (g_window.fullscreen && g_dx.primary) ClearPrimary();
  if (g_dx.back == g_dx.primary) g_dx.back = nullptr;  // one surface, released once
  DxRelease(g_dx.back);
  DxRelease(g_dx.dd_palette);
  DxRelease(g_dx.primary);
  DxRelease(g_dx.clipper);
  g_window.blitter = nullptr;
}

void DxApplyPalette() {
  if (!g_window.palette_changed) return;
  // Displays of more than 8 bits see palette changes through the rows that the
  // screen marks changed with them.
  if (g_dx.dd_palette) {
    g_dx.dd_palette->SetEntries(0, 0, 256, reinterpret_cast<PALETTEENTRY*>(g_window.display_palette));
    g_dx.present_due = true;
  }
  InterlockedExchange(&g_window.palette_changed, 0);
}

bool DxConvertDirtyRows() {
  int32_t first = 0, last = 0;
  if (!g_screen || !FindDirtySpan(g_screen->dirty, g_window.height, &first, &last)) return false;
  DDSURFACEDESC desc = SurfaceDesc(0, 0);
  if (g_dx.wrong_mode_for_tests || FAILED(g_dx.back->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr))) {
    return false;  // the flags stay set
  }
  uint8_t* rows = static_cast<uint8_t*>(desc.lpSurface) +
                  static_cast<ptrdiff_t>(g_dx.y_offset) * desc.lPitch;
  if (WindowScale() > 1) {
    DxConvertScaled(desc, first, last);
  } else {
    g_window.blitter(rows, static_cast<int32_t>(desc.lPitch));
  }
  g_dx.back->Unlock(nullptr);
  std::memset(g_screen->dirty, 0, static_cast<size_t>(g_window.height));
  return true;
}
