// The GDI driver's transfer of framebuffer rows into its window: one to one,
// or each pixel as a solid block of the window's whole-number scale.
#include "gfx/drivers/gdi_rows_win32.h"

#include "gfx/window/window_state_win32.h"

void GdiShowRows(HDC dc, BITMAPINFO* info, int32_t first, int32_t rows, const void* source) {
  const int32_t scale = WindowScale();
  const int32_t w = g_window.width;
  if (scale == 1) {
    SetDIBitsToDevice(dc, 0, first, static_cast<DWORD>(w), static_cast<DWORD>(rows), 0, 0, 0,
                      static_cast<UINT>(rows), source, info, DIB_RGB_COLORS);
    return;
  }
  // The bitmap is described as exactly the rows handed over, so that the
  // source rectangle is the whole of it whichever way a system counts its
  // rows; nearest neighbour keeps every pixel a sharp block.
  const LONG height = info->bmiHeader.biHeight;
  info->bmiHeader.biHeight = -rows;
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, 0, first * scale, w * scale, rows * scale, 0, 0, w, rows, source, info,
                DIB_RGB_COLORS, SRCCOPY);
  info->bmiHeader.biHeight = height;
}
