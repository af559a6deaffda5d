// The DirectX driver's scaled window: rows converted at the framebuffer's size
// and widened in software into the back surface, which is then presented one
// to one, so no system's stretching filter can soften the picture.
#include <vector>

#include "gfx/drivers/dx_objects_win32.h"
#include "gfx/screen.h"
#include "gfx/window/display_scale.h"
#include "gfx/window/window_state_win32.h"

namespace {
std::vector<uint8_t> g_stage;  // the converted framebuffer, rows packed
}  // namespace

void DxConvertScaled(const DDSURFACEDESC& locked, int32_t first, int32_t last) {
  DDPIXELFORMAT format = locked.ddpfPixelFormat;
  if (format.dwRGBBitCount == 0) {  // a Lock that left the format out
    format.dwSize = sizeof format;
    g_dx.back->GetPixelFormat(&format);
  }
  const int32_t bytes_per_pixel = static_cast<int32_t>(format.dwRGBBitCount / 8);
  if (bytes_per_pixel < 1) return;
  const size_t pitch = static_cast<size_t>(g_window.width) * bytes_per_pixel;
  g_stage.resize(pitch * g_window.height);
  g_window.blitter(g_stage.data(), static_cast<int32_t>(pitch));
  ScaleRowsBy(g_stage.data(), pitch, static_cast<uint8_t*>(locked.lpSurface),
              static_cast<size_t>(locked.lPitch), g_window.width, bytes_per_pixel, WindowScale(),
              first, last, g_screen->dirty);
}

void DxFreeStage() { std::vector<uint8_t>().swap(g_stage); }

void DxRescale() {
  if (g_window.fullscreen || !g_dx.ddraw) return;
  if (DxRecreateBackSurface()) g_dx.present_due = true;
}
