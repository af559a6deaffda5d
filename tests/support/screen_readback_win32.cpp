// Reading a screen's window back under Wine or Windows and comparing it with
// the framebuffer, for the display drivers' picture tests.
#include "support/screen_readback_win32.h"

#include <cstdio>
#include <cstring>

#include "gfx/screen.h"
#include "gfx/window/window_state_win32.h"

// The client area from (0, top) as 0x00RRGGBB words.
std::vector<uint32_t> ReadClient(int width, int height, int top) {
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 0xDEADBEEF);
  HDC window_dc = GetDC(g_window.window);
  HDC memory_dc = CreateCompatibleDC(window_dc);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory_dc, bitmap);
  BitBlt(memory_dc, 0, 0, width, height, window_dc, 0, top, SRCCOPY);
  GdiFlush();
  std::memcpy(pixels.data(), bits, pixels.size() * 4);
  SelectObject(memory_dc, old);
  DeleteObject(bitmap);
  DeleteDC(memory_dc);
  ReleaseDC(g_window.window, window_dc);
  for (uint32_t& p : pixels) p &= 0xFFFFFF;
  return pixels;
}

static uint32_t Rgb(uint32_t packed) {
  return (packed & 0xFF) << 16 | (packed & 0xFF00) | ((packed >> 16) & 0xFF);
}

// The framebuffer pixel at (x, y) as a 32-bit desktop shows it.
uint32_t ExpectedPixel(int x, int y) {
  const ScreenContext* s = g_screen;
  const uint8_t* row = s->visible_page + static_cast<size_t>(y) * s->pitch;
  switch (s->bytes_per_pixel) {
    case 1: return Rgb(s->current_palette[row[x]]);
    case 2: {
      const uint32_t p = row[2 * x] | row[2 * x + 1] << 8;
      return (p >> 11) << 19 | ((p >> 5) & 0x3F) << 10 | (p & 0x1F) << 3;
    }
    default: {
      uint32_t p;
      std::memcpy(&p, row + 4 * x, 4);
      return p & 0xFFFFFF;
    }
  }
}

// Neighbours differ, and at depths up to 8 every index of the palette is used
// (x * 3 + y * 5 runs through every value of the colour mask on each row).
static void FillPatternRow(int y, int shift) {
  ScreenContext* s = g_screen;
  uint8_t* row = s->visible_page + static_cast<size_t>(y) * s->pitch;
  for (int x = 0; x < s->width; ++x) {
    const int v = x + shift;
    const uint32_t colour = static_cast<uint32_t>((v * 7) & 0xFF) << 16 |
                            static_cast<uint32_t>((y * 3) & 0xFF) << 8 |
                            static_cast<uint32_t>((v + y) & 0xFF);
    const uint32_t value = s->depth <= 8 ? static_cast<uint32_t>(v * 3 + y * 5) & s->colour_mask
                                         : ColourToPixel(colour);
    std::memcpy(row + x * s->bytes_per_pixel, &value, static_cast<size_t>(s->bytes_per_pixel));
  }
}

void DrawPattern() {
  ScreenContext* s = g_screen;
  const bool took = ScreenLock();
  for (int y = 0; y < s->height; ++y) FillPatternRow(y, 0);
  std::memset(s->dirty, 255, static_cast<size_t>(s->height * s->line_multiplier));
  ScreenUnlock(took);
}

void DrawPatternRow(int y, int shift) {
  const bool took = ScreenLock();
  FillPatternRow(y, shift);
  g_screen->dirty[y] = 255;
  ScreenUnlock(took);
}

// Display row k shows framebuffer row k / line_multiplier; a window scaled
// by n shows each display pixel as an n x n block. Counts the pixels that
// differ; the first is described in *why.
int CountWrongPixels(int top, uint32_t compared_bits, std::string* why) {
  const int n = WindowScale();
  const int w = g_screen->width * n, m = g_screen->line_multiplier * n;
  const int rows = g_screen->height * m;
  const std::vector<uint32_t> shown = ReadClient(w, rows, top);
  int wrong = 0;
  for (int k = 0; k < rows; ++k) {
    for (int x = 0; x < w; ++x) {
      const uint32_t want = ExpectedPixel(x / n, k / m), got = shown[static_cast<size_t>(k) * w + x];
      if (((want ^ got) & compared_bits) == 0) continue;
      if (wrong++ == 0) {
        char text[96];
        std::snprintf(text, sizeof text, "(%d, %d) shows %06x, framebuffer %06x", x, k, got, want);
        *why = text;
      }
    }
  }
  return wrong;
}

bool WaitPictureAt(int top, uint32_t compared_bits, std::string* why) {
  for (int i = 0; i < 150; ++i) {
    if (CountWrongPixels(top, compared_bits, why) == 0) return true;
    Sleep(20);
  }
  return false;
}
