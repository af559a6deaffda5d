// The "GDI" display driver: an ordinary window that receives the changed
// framebuffer rows through SetDIBitsToDevice. Windowed only; it refuses
// fullscreen and OpenGL so that the mode switch moves on.
#include <cstdlib>
#include <cstring>

#include "gfx/drivers/drivers_win32.h"
#include "gfx/drivers/gdi_rows_win32.h"
#include "gfx/input/keys_internal.h"
#include "gfx/screen.h"
#include "gfx/window/window_geometry.h"
#include "gfx/window/window_state_win32.h"

namespace {

constexpr DWORD kGdiStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

BITMAPINFO* g_dib_info = nullptr;
uint16_t* g_conversion_buffer = nullptr;
int32_t g_conversion_stride = 0;  // bytes

BITMAPINFO* MakeDibInfo() {
  size_t size = sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD);
  BITMAPINFO* info = static_cast<BITMAPINFO*>(std::calloc(1, size));
  if (!info) return nullptr;
  BITMAPINFOHEADER& h = info->bmiHeader;
  h.biSize = sizeof(BITMAPINFOHEADER);
  h.biWidth = g_window.width;
  h.biHeight = -g_window.height;  // top-down: row 0 first
  h.biPlanes = 1;
  h.biBitCount = static_cast<WORD>(g_window.depth);
  h.biCompression = BI_RGB;
  h.biClrUsed = 256;
  // A new colour table starts empty: have the next pass fill it.
  InterlockedExchange(&g_window.palette_changed, kFlagSet);
  return info;
}

// A 16-bit BI_RGB bitmap is read as 5-5-5, so 16-bit screens go through a buffer.
int32_t MakeConversionBuffer() {
  g_window.blitter = SelectBlitter(15, 0);
  if (!g_window.blitter) return -1;
  int32_t pitch = g_screen ? g_screen->pitch : g_window.width * 2;
  g_conversion_stride = (pitch + 3) & ~3;
  size_t even_width = static_cast<size_t>((g_window.width + 1) & ~1);
  size_t bytes = static_cast<size_t>(g_conversion_stride) * g_window.height;
  if (bytes < even_width * 2 * g_window.height) bytes = even_width * 2 * g_window.height;
  g_conversion_buffer = static_cast<uint16_t*>(std::calloc(1, bytes));
  return g_conversion_buffer ? 0 : -1;
}

void ReadRefreshRate() {
  HDC dc = GetDC(g_window.window);
  if (!dc) return;
  int rate = GetDeviceCaps(dc, VREFRESH);
  if (g_screen) g_screen->refresh_rate = rate;
  ReleaseDC(g_window.window, dc);
}

void ApplyPalette() {
  if (!g_window.palette_changed) return;
  for (int i = 0; i < 256; ++i) {
    const DisplayPaletteEntry& e = g_window.display_palette[i];
    g_dib_info->bmiColors[i] = RGBQUAD{e.blue, e.green, e.red, 0};
  }
  InterlockedExchange(&g_window.palette_changed, 0);
}

// Copies display rows first..last in one call, clean rows between them included.
void TransferRows(HDC dc, int32_t first, int32_t last) {
  const void* source;
  if (g_window.depth == 16) {
    g_window.blitter(reinterpret_cast<uint8_t*>(g_conversion_buffer), g_conversion_stride);
    source = reinterpret_cast<const uint8_t*>(g_conversion_buffer) +
             static_cast<size_t>(first) * g_conversion_stride;
  } else {
    source = g_screen->visible_page + static_cast<size_t>(first) * g_screen->pitch;
  }
  GdiShowRows(dc, g_dib_info, first, last - first + 1, source);
}

// With a line multiplier each framebuffer row fills that many display rows:
// a dirty row is sent once for each of them, alone and from its own page row,
// so nothing past the page is read. The dirty flags are by framebuffer row.
void TransferMultipliedRows(HDC dc, int32_t first, int32_t last) {
  const int32_t multiplier = g_screen->line_multiplier;
  last = last < g_screen->height ? last : g_screen->height - 1;
  for (int32_t y = first; y <= last; ++y) {
    if (!g_screen->dirty[y]) continue;
    const uint8_t* source = g_screen->visible_page + static_cast<size_t>(y) * g_screen->pitch;
    for (int32_t k = y * multiplier; k < (y + 1) * multiplier; ++k) GdiShowRows(dc, g_dib_info, k, 1, source);
  }
}

void RefreshKeyState() {
  BYTE keyboard[256];
  if (g_screen && g_screen->key_state && GetKeyboardState(keyboard)) {
    RefreshKeyStateFromKeyboard(keyboard, g_screen->key_state);
  }
}

bool ReadyToTransfer() {
  if (!g_window.window || !g_dib_info || !g_screen || !g_screen->dirty) return false;
  if (g_window.depth == 16) return g_conversion_buffer && g_window.blitter;
  return g_screen->visible_page != nullptr;
}

// One pass's driver part, under the display lock; true when it showed changed
// rows.
bool GdiFrameStep() {
  bool showed = false;
  if (ReadyToTransfer()) {
    ApplyPalette();
    HDC dc = GetDC(g_window.window);
    int32_t first = 0, last = 0;
    if (dc && FindDirtySpan(g_screen->dirty, g_window.height, &first, &last)) {
      showed = true;
      if (g_screen->line_multiplier > 1) {
        TransferMultipliedRows(dc, first, last);
      } else {
        TransferRows(dc, first, last);
      }
    }
    if (dc) ReleaseDC(g_window.window, dc);
    std::memset(g_screen->dirty, 0, static_cast<size_t>(g_window.height));
  }
  RefreshKeyState();
  return showed;
}

}  // namespace

int32_t GdiInit(const char* title, int32_t width, int32_t height, int32_t depth,
                int32_t refresh_rate, int32_t flags) {
  static constexpr WindowRoutines kRoutines{
      .create_window = GdiCreateWindow,
      .destroy_window = GdiDestroyWindow,
      .paint = GdiPaint,
      .thread_main = GdiThreadMain,
  };
  return WindowOpenThreaded(kRoutines, title, width, height, depth, refresh_rate, flags);
}

int32_t GdiCreateWindow() {
  g_dib_info = nullptr;
  g_conversion_buffer = nullptr;
  if (g_window.fullscreen) return -1;
  g_window.window = WindowCreateCentred(WS_VISIBLE | kGdiStyle);
  if (!g_window.window) return -1;
  g_dib_info = MakeDibInfo();
  if (!g_dib_info) return -1;
  if (g_window.depth == 16 && MakeConversionBuffer() != 0) return -1;
  SetForegroundWindow(g_window.window);
  ReadRefreshRate();
  return 0;
}

void GdiDestroyWindow() {
  std::free(g_conversion_buffer);
  std::free(g_dib_info);
  g_conversion_buffer = nullptr;
  g_dib_info = nullptr;
  if (g_window.window) DestroyWindow(g_window.window);
  // Cleared so that a pass after a failed re-creation never draws through a
  // stale handle (GetDC of a null window would be the whole screen's).
  g_window.window = nullptr;
}

void GdiPaint() { WindowMarkAllRowsDirty(); }

void GdiThreadMain(void* ready_event) { WindowRunUpdateThread(ready_event, GdiFrameStep); }
