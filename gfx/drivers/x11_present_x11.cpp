// The X11 driver's picture: the blitter for the visual's format, the XImage at
// the window's scale, and the changed rows copied into it and put on the window.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>

#include "gfx/drivers/x11_driver_state.h"
#include "gfx/screen.h"
#include "gfx/window/display_scale.h"
#include "gfx/window/window_geometry.h"

namespace x11 {

X11State g_x;
std::atomic<bool> g_running{false};
std::atomic<int64_t> g_passes{0};
std::recursive_mutex g_lock;

void MarkAllRowsDirty() {
  if (g_screen && g_screen->dirty) std::memset(g_screen->dirty, 0xFF, static_cast<size_t>(g_x.height));
}

void FreeImage() { X11ImageDestroy(g_x.display, &g_x.picture); }

// The XImage at the current scale; false when memory or the visual refuse it.
bool MakeImage() {
  FreeImage();
  Visual* visual = DefaultVisual(g_x.display, DefaultScreen(g_x.display));
  int depth = DefaultDepth(g_x.display, DefaultScreen(g_x.display));
  int32_t w = g_x.width * g_x.placement.factor, h = g_x.height * g_x.placement.factor;
  if (!X11ImageCreate(g_x.display, visual, depth, w, h, &g_x.picture)) return false;
  g_x.bytes_per_pixel = g_x.picture.image->bits_per_pixel / 8;
  g_x.unscaled.assign(static_cast<size_t>(g_x.width) * g_x.bytes_per_pixel * g_x.height, 0);
  MarkAllRowsDirty();
  return true;
}

bool ChooseBlitter() {
  Visual* visual = DefaultVisual(g_x.display, DefaultScreen(g_x.display));
  XImage* probe = XCreateImage(g_x.display, visual,
                               static_cast<unsigned>(DefaultDepth(g_x.display, DefaultScreen(g_x.display))),
                               ZPixmap, 0, nullptr, 1, 1, 32, 0);
  if (!probe) return false;
  int32_t dest_depth = 0, order = 0;
  bool known = X11BlitFormat(probe->depth, probe->bits_per_pixel, static_cast<uint32_t>(visual->red_mask),
                             &dest_depth, &order);
  XDestroyImage(probe);
  if (!known) return false;
  g_x.blitter = SelectBlitter(dest_depth, order);
  return g_x.blitter != nullptr;
}

// Widens rows first..last of the unscaled picture into the scaled image.
static void ScaleRows(int32_t first, int32_t last) {
  XImage* image = g_x.picture.image;
  ScaleRowsBy(g_x.unscaled.data(), static_cast<size_t>(g_x.width) * g_x.bytes_per_pixel,
              reinterpret_cast<uint8_t*>(image->data), static_cast<size_t>(image->bytes_per_line), g_x.width,
              g_x.bytes_per_pixel, g_x.placement.factor, first, last);
}

// True when there were changed rows to show.
bool CopyDirtyRows() {
  XImage* image = g_x.picture.image;
  if (!g_screen || !g_screen->dirty || !g_screen->visible_page || !image || !g_x.blitter) return false;
  // The flags are by framebuffer row; in modes that repeat each row (the
  // line multiplier) the picture's rows are display rows, m of them a flag.
  const int32_t m = g_screen->line_multiplier > 1 ? g_screen->line_multiplier : 1;
  int32_t first = 0, last = 0;
  if (!FindDirtySpan(g_screen->dirty, g_x.height / m, &first, &last)) return false;
  first *= m;
  last = (last + 1) * m - 1;
  const int32_t f = g_x.placement.factor;
  X11ImageWaitIdle(g_x.display, &g_x.picture);
  if (f == 1) {
    g_x.blitter(reinterpret_cast<uint8_t*>(image->data), image->bytes_per_line);
  } else {
    g_x.blitter(g_x.unscaled.data(), g_x.width * g_x.bytes_per_pixel);
    ScaleRows(first, last);
  }
  std::memset(g_screen->dirty, 0, static_cast<size_t>(g_x.height));
  X11ImagePut(g_x.display, g_x.window, g_x.gc, &g_x.picture, 0, first * f, g_x.placement.x,
              g_x.placement.y + first * f, g_x.width * f, (last - first + 1) * f);
  return true;
}

}  // namespace x11
