// The "Canvas" display driver. The page has one thread, so there is no update
// thread and no lock to take: the changed rows go through the blitter into an
// RGBA picture and onto the canvas just before the program yields to the
// browser (console/web_host.h), which is the only time the browser could show
// them, and the page's events are taken in just after. The canvas is shown in
// place of the terminal while the screen is open, at the largest whole factor
// that fits the page.
#include "gfx/drivers/driver_web.h"

#include <cstring>
#include <string>
#include <vector>

#include "console/cp866.h"
#include "console/web_host.h"
#include "gfx/input/keys_internal.h"
#include "gfx/screen.h"
#include "gfx/window/screen_failure_note.h"
#include "gfx/window/web_layout.h"
#include "gfx/window/web_picture.h"
#include "gfx/window/window_geometry.h"

namespace {

struct WebState {
  bool open = false;
  int32_t width = 0, height = 0;
  Blitter blitter = nullptr;
  std::vector<uint8_t> rgba;
  int32_t mouse_x = -1, mouse_y = -1, mouse_buttons = 0, mouse_wheel = 0;
  bool focused = true;
};
WebState g_web;

void MarkAllRowsDirty() {
  if (g_screen && g_screen->dirty) std::memset(g_screen->dirty, 0xFF, static_cast<size_t>(g_web.height));
}

// Before each yield: the changed rows onto the canvas.
void Present() {
  int32_t first = 0, count = 0;
  if (g_web.open && WebConvertDirtyRows(g_web.blitter, g_web.rgba.data(), g_web.width, g_web.height,
                                        &first, &count)) {
    tavrel_web_put_rows(g_web.rgba.data(), g_web.width, first, count);
  }
}

void PlaceCanvas() {
  double w = 0, h = 0, ratio = 1;
  tavrel_web_page_size(&w, &h, &ratio);
  const WebPlacement p = WebPlaceCanvas(w, h, ratio, g_web.width, g_web.height);
  tavrel_web_place_canvas(p.css_width, p.css_height);
}

void SetKeyState(int32_t scan_code, bool down) {
  if (g_screen && g_screen->key_state && scan_code > 0 && scan_code < 128)
    g_screen->key_state[scan_code] = down ? 0xFF : 0;
}

void OnKey(const int32_t* f, bool down) {
  const WebKey key = WebTranslateKey(static_cast<uint32_t>(f[1]), static_cast<uint32_t>(f[2]), f[3], down);
  SetKeyState(key.scan_code, down);
  if (key.alt_enter) tavrel_web_toggle_fullscreen();
  else if (key.key_code) KeyQueuePut(key.key_code);
}

void OnBlur() {
  if (g_screen && g_screen->key_state) std::memset(g_screen->key_state, 0, 128);
  g_web.mouse_buttons = 0;
}

void HandleEvent(const int32_t* f) {
  if (f[0] != kWebResize) g_web.focused = f[0] != kWebBlur;
  switch (f[0]) {
    case kWebKeyDown: OnKey(f, true); break;
    case kWebKeyUp: OnKey(f, false); break;
    case kWebMouse:
      g_web.mouse_x = f[1];
      g_web.mouse_y = f[2];
      g_web.mouse_buttons = f[3];
      break;
    case kWebWheel: g_web.mouse_wheel += f[1]; break;
    case kWebResize: PlaceCanvas(); break;
    case kWebBlur: OnBlur(); break;
    default: break;
  }
}

// After each yield: the events that came meanwhile.
void TakeEvents() {
  int32_t fields[kWebEventFields];
  while (tavrel_web_next_event(fields)) {
    if (g_web.open) HandleEvent(fields);
  }
}

}  // namespace

int32_t WebInit(const char* title, int32_t width, int32_t height, int32_t, int32_t, int32_t flags) {
  if ((flags & kDisplayOpenGl) || g_web.open) return -1;
  g_web = WebState{};
  g_web.width = width;
  g_web.height = height;
  g_web.blitter = WebCanvasBlitter();
  if (!g_web.blitter) {
    NoteScreenFailure(ScreenFailure::kUnsupportedScreen);
    return -1;
  }
  g_web.rgba.assign(static_cast<size_t>(width) * height * 4, 0);
  g_web.open = true;
  tavrel_web_show_window(1, width, height);
  WebSetTitle(title);
  PlaceCanvas();
  MarkAllRowsDirty();
  SetWebHooks(Present, TakeEvents);
  if (flags & kDisplayFullscreen) tavrel_web_toggle_fullscreen();
  return 0;
}

void WebExit() {
  if (!g_web.open) return;
  SetWebHooks(nullptr, nullptr);
  g_web.open = false;
  g_web.rgba = std::vector<uint8_t>();
  tavrel_web_show_window(0, 0, 0);
}

void WebLock() {}
void WebUnlock() {}

// The blitter reads the screen's own palette; the canvas needs only a new copy.
void WebSetPalette(int32_t, int32_t, int32_t, int32_t) { MarkAllRowsDirty(); }

void WebWaitRetrace() { WebSleep(RetraceMilliseconds(g_screen ? g_screen->refresh_rate : 0)); }

int32_t WebGetMouse(int32_t* x, int32_t* y, int32_t* wheel, int32_t* buttons) {
  if (!g_web.focused || g_web.mouse_x < 0 || g_web.mouse_y < 0 || g_web.mouse_x >= g_web.width ||
      g_web.mouse_y >= g_web.height) {
    return -1;
  }
  *x = g_web.mouse_x;
  *y = g_web.mouse_y;
  *wheel = g_web.mouse_wheel;
  *buttons = g_web.mouse_buttons;
  return 0;
}

// A page cannot move the pointer: the position is the program's until the
// pointer moves again.
void WebSetMouse(int32_t x, int32_t y, int32_t) {
  if (!g_web.open || x < 0) return;
  g_web.mouse_x = ClampInt(x, 0, g_web.width - 1);
  g_web.mouse_y = ClampInt(y, 0, g_web.height - 1);
}

// The title is code page 866, the page's title UTF-8.
void WebSetTitle(const char* title) {
  if (!title) return;
  std::string text;
  for (const char* c = title; *c; ++c) {
    char utf8[4];
    text.append(utf8, static_cast<size_t>(Cp866ToUtf8(static_cast<uint8_t>(*c), utf8)));
  }
  tavrel_web_set_title(text.c_str());
}
