// The "X11" display driver. The program's thread draws into the framebuffer
// under the display lock; the update thread, every 10 ms and under the same
// lock, reads the X events (keys, mouse, close box, exposure) and copies the
// changed rows through the blitter for the visual's format into an XImage
// (in shared memory where the server can read it from there), scaled by a
// whole factor in fullscreen, and puts them on the window. Only
// the update thread calls Xlib after the window is open, except for the title
// and pointer calls, which Xlib's own locking covers.
#include "gfx/drivers/driver_x11.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <time.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "gfx/blitters/blitter.h"
#include "gfx/drivers/x11_image.h"
#include "gfx/input/keys.h"
#include "gfx/screen.h"
#include "gfx/window/display_driver.h"
#include "gfx/window/program_icon.h"
#include "gfx/window/window_geometry.h"
#include "gfx/window/x11_char_keys.h"
#include "gfx/window/x11_layout.h"

namespace {

struct X11State {
  Display* display = nullptr;
  Window window = 0;
  GC gc = nullptr;
  X11Image picture;               // the picture at the window's scale
  std::vector<uint8_t> unscaled;  // blitter output when the picture is scaled
  int32_t bytes_per_pixel = 4;
  Blitter blitter = nullptr;
  Atom delete_window = 0;
  int completion_type = -1;  // MIT-SHM's "put done" event
  int32_t width = 0, height = 0;
  int32_t window_w = 0, window_h = 0;
  X11Placement placement{1, 0, 0};
  bool fullscreen = false;
  bool focused = true;
  bool key_queued = false;  // by the events handled since the last pass
  int32_t mouse_x = -1, mouse_y = -1, mouse_buttons = 0, mouse_wheel = 0;
  std::thread thread;
};

X11State g_x;
std::atomic<bool> g_running{false};
std::atomic<int64_t> g_passes{0};
std::recursive_mutex g_lock;

int64_t NowUs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

void SleepMs(int32_t ms) {
  timespec rest = {ms / 1000, (ms % 1000) * 1000000L};
  while (nanosleep(&rest, &rest) != 0) {
  }
}

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
void ScaleRows(int32_t first, int32_t last) {
  const int32_t f = g_x.placement.factor, bpp = g_x.bytes_per_pixel;
  const size_t src_pitch = static_cast<size_t>(g_x.width) * bpp;
  for (int32_t y = first; y <= last; ++y) {
    const uint8_t* src = g_x.unscaled.data() + static_cast<size_t>(y) * src_pitch;
    XImage* image = g_x.picture.image;
    uint8_t* row = reinterpret_cast<uint8_t*>(image->data) + static_cast<size_t>(y) * f * image->bytes_per_line;
    for (int32_t x = 0; x < g_x.width; ++x) {
      for (int32_t k = 0; k < f; ++k) std::memcpy(row + (static_cast<size_t>(x) * f + k) * bpp, src + x * bpp, bpp);
    }
    for (int32_t k = 1; k < f; ++k) std::memcpy(row + static_cast<size_t>(k) * image->bytes_per_line, row, src_pitch * f);
  }
}

// True when there were changed rows to show.
bool CopyDirtyRows() {
  XImage* image = g_x.picture.image;
  if (!g_screen || !g_screen->dirty || !g_screen->visible_page || !image || !g_x.blitter) return false;
  int32_t first = 0, last = 0;
  if (!FindDirtySpan(g_screen->dirty, g_x.height, &first, &last)) return false;
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

// A key for the program; the passes after it come early.
void QueueKey(int32_t code) {
  KeyQueuePut(code);
  g_x.key_queued = true;
}

void SetKeyState(int32_t scan, bool down) {
  if (g_screen && g_screen->key_state && scan > 0 && scan < 128) g_screen->key_state[scan] = down ? 0xFF : 0;
}

// The PC scan code of a key: the special keys by their virtual key's row,
// the rest from the evdev key code, which is the scan code plus 8.
int32_t ScanCode(uint32_t virtual_key, unsigned keycode) {
  if (virtual_key) {
    for (const KeyStateRow* row = kKeyStateTable; row->scan_code; ++row) {
      if (row->primary_vk == virtual_key || row->secondary_vk == virtual_key) return row->scan_code;
    }
  }
  return keycode >= 8 && keycode < 8 + 0x59 ? static_cast<int32_t>(keycode - 8) : 0;
}

void ToggleFullscreen();

void OnKey(XKeyEvent* event, bool down) {
  char text[8] = {};
  KeySym keysym = 0;
  int n = XLookupString(event, text, sizeof text, &keysym, nullptr);
  uint32_t vk = X11SpecialVirtualKey(static_cast<uint32_t>(keysym));
  SetKeyState(ScanCode(vk, event->keycode), down);
  if (!down) return;
  if ((event->state & Mod1Mask) && (keysym == XK_Return || keysym == XK_KP_Enter)) {
    ToggleFullscreen();
    return;
  }
  int32_t code = vk ? SpecialKeyCode(vk) : X11CharacterCode(static_cast<uint32_t>(keysym), text, n);
  if (code) QueueKey(code);
}

void OnPointer(int32_t wx, int32_t wy) {
  const X11Placement& p = g_x.placement;
  g_x.mouse_x = (wx - p.x) / p.factor;
  g_x.mouse_y = (wy - p.y) / p.factor;
}

void OnButton(unsigned button, bool down) {
  static constexpr int32_t kBits[] = {0, 1, 4, 2};  // left, middle, right
  if (button >= 1 && button <= 3) {
    if (down) g_x.mouse_buttons |= kBits[button];
    else g_x.mouse_buttons &= ~kBits[button];
  } else if (down && (button == 4 || button == 5)) {
    g_x.mouse_wheel += button == 4 ? 1 : -1;
  }
}

void OnConfigure(int32_t w, int32_t h) {
  if (w == g_x.window_w && h == g_x.window_h) return;
  g_x.window_w = w;
  g_x.window_h = h;
  X11Placement p = X11PlacePicture(w, h, g_x.width, g_x.height);
  bool rescaled = p.factor != g_x.placement.factor;
  g_x.placement = p;
  if (rescaled) MakeImage();
  XClearWindow(g_x.display, g_x.window);
  MarkAllRowsDirty();
}

void OnFocus(bool in) {
  g_x.focused = in;
  if (g_screen && g_screen->key_state) std::memset(g_screen->key_state, 0, 128);
  g_x.mouse_buttons = 0;
  MarkAllRowsDirty();
}

void HandleEvent(XEvent* e) {
  if (e->type == g_x.completion_type) {
    X11ImageCompleted(&g_x.picture, e->xany.serial);
    return;
  }
  switch (e->type) {
    case KeyPress: OnKey(&e->xkey, true); break;
    case KeyRelease: OnKey(&e->xkey, false); break;
    case MotionNotify: OnPointer(e->xmotion.x, e->xmotion.y); break;
    case ButtonPress: OnPointer(e->xbutton.x, e->xbutton.y); OnButton(e->xbutton.button, true); break;
    case ButtonRelease: OnPointer(e->xbutton.x, e->xbutton.y); OnButton(e->xbutton.button, false); break;
    case LeaveNotify: g_x.mouse_x = g_x.mouse_y = -1; g_x.mouse_buttons = 0; break;
    case Expose: MarkAllRowsDirty(); break;
    case ConfigureNotify: OnConfigure(e->xconfigure.width, e->xconfigure.height); break;
    case FocusIn: OnFocus(true); break;
    case FocusOut: OnFocus(false); break;
    case MappingNotify: XRefreshKeyboardMapping(&e->xmapping); break;  // a new layout
    case ClientMessage:
      if (static_cast<Atom>(e->xclient.data.l[0]) == g_x.delete_window) QueueKey(kKeyClose);
      break;
    default: break;
  }
}

bool WindowManagerRuns() {
  Atom check = XInternAtom(g_x.display, "_NET_SUPPORTING_WM_CHECK", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  bool found = XGetWindowProperty(g_x.display, DefaultRootWindow(g_x.display), check, 0, 1, False,
                                  XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
               count == 1;
  if (data) XFree(data);
  return found;
}

void SetSizeHints(bool fixed) {
  XSizeHints* hints = XAllocSizeHints();
  if (!hints) return;
  if (fixed) {
    hints->flags = PMinSize | PMaxSize;
    hints->min_width = hints->max_width = g_x.width;
    hints->min_height = hints->max_height = g_x.height;
  }
  XSetWMNormalHints(g_x.display, g_x.window, hints);
  XFree(hints);
}

// With a window manager, its fullscreen state; without one, the window itself
// covers the screen (and comes back to its place).
void ToggleFullscreen() {
  g_x.fullscreen = !g_x.fullscreen;
  Display* d = g_x.display;
  int screen = DefaultScreen(d);
  if (WindowManagerRuns()) {
    SetSizeHints(!g_x.fullscreen);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = g_x.window;
    e.xclient.message_type = XInternAtom(d, "_NET_WM_STATE", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = g_x.fullscreen ? 1 : 0;
    e.xclient.data.l[1] = static_cast<long>(XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", False));
    e.xclient.data.l[3] = 1;
    XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
  } else if (g_x.fullscreen) {
    SetSizeHints(false);
    XMoveResizeWindow(d, g_x.window, 0, 0, static_cast<unsigned>(DisplayWidth(d, screen)),
                      static_cast<unsigned>(DisplayHeight(d, screen)));
    XRaiseWindow(d, g_x.window);
  } else {
    int32_t x = 0, y = 0;
    CentredOrigin(DisplayWidth(d, screen), DisplayHeight(d, screen), g_x.width, g_x.height, &x, &y);
    XMoveResizeWindow(d, g_x.window, x, y, static_cast<unsigned>(g_x.width), static_cast<unsigned>(g_x.height));
    SetSizeHints(true);
  }
}

void SetWindowTitle(const char* title) {
  if (!g_x.display || !g_x.window || !title) return;
  XStoreName(g_x.display, g_x.window, title);
  Atom utf8 = XInternAtom(g_x.display, "UTF8_STRING", False);
  XChangeProperty(g_x.display, g_x.window, XInternAtom(g_x.display, "_NET_WM_NAME", False), utf8, 8,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(title),
                  static_cast<int>(std::strlen(title)));
}

// _NET_WM_ICON: the drawing the Windows icon is made from.
void SetWindowIcon() {
  std::vector<uint32_t> values = ProgramIconProperty();
  std::vector<long> longs(values.begin(), values.end());  // format 32 travels as longs
  XChangeProperty(g_x.display, g_x.window, XInternAtom(g_x.display, "_NET_WM_ICON", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(longs.data()),
                  static_cast<int>(longs.size()));
}

bool OpenWindow(const char* title) {
  Display* d = g_x.display;
  int screen = DefaultScreen(d);
  int32_t x = 0, y = 0;
  CentredOrigin(DisplayWidth(d, screen), DisplayHeight(d, screen), g_x.width, g_x.height, &x, &y);
  XSetWindowAttributes attributes{};
  attributes.background_pixel = BlackPixel(d, screen);
  attributes.event_mask = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                          PointerMotionMask | LeaveWindowMask | ExposureMask | StructureNotifyMask |
                          FocusChangeMask;
  g_x.window = XCreateWindow(d, RootWindow(d, screen), x, y, static_cast<unsigned>(g_x.width),
                             static_cast<unsigned>(g_x.height), 0, CopyFromParent, InputOutput,
                             CopyFromParent, CWBackPixel | CWEventMask, &attributes);
  if (!g_x.window) return false;
  g_x.window_w = g_x.width;
  g_x.window_h = g_x.height;
  SetWindowTitle(title);
  SetWindowIcon();
  SetSizeHints(true);
  XClassHint* class_hint = XAllocClassHint();
  if (class_hint) {
    class_hint->res_name = const_cast<char*>("tavrel");
    class_hint->res_class = const_cast<char*>("Tavrel");
    XSetClassHint(d, g_x.window, class_hint);
    XFree(class_hint);
  }
  g_x.delete_window = XInternAtom(d, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(d, g_x.window, &g_x.delete_window, 1);
  g_x.gc = XCreateGC(d, g_x.window, 0, nullptr);
  XMapRaised(d, g_x.window);
  XSync(d, False);
  return g_x.gc != nullptr;
}

// Handles the events that have come; true when a key or a mouse button was
// among them.
bool HandlePendingEvents() {
  bool input = false;
  while (XPending(g_x.display) > 0) {
    XEvent event;
    XNextEvent(g_x.display, &event);
    const int t = event.type;
    input = input || t == KeyPress || t == KeyRelease || t == ButtonPress || t == ButtonRelease;
    HandleEvent(&event);
  }
  return input;
}

// True when it showed changed rows.
bool Pass() {
  HandlePendingEvents();
  const bool showed = CopyDirtyRows();
  XFlush(g_x.display);
  return showed;
}

// The pause between passes. Events that come meanwhile are handled at once (a
// moving pointer only updates the mouse state); a key or a mouse button ends
// the pause, so that the pass showing the program's answer follows at once
// instead of up to a period later.
void WaitForNextPass(int32_t ms) {
  const int64_t end = NowUs() + int64_t{ms} * 1000;
  pollfd connection{ConnectionNumber(g_x.display), POLLIN, 0};
  for (int64_t left = end - NowUs(); left > 0; left = end - NowUs()) {
    const int ready = poll(&connection, 1, static_cast<int>((left + 999) / 1000));
    if (ready < 0) {
      SleepMs(static_cast<int32_t>((left + 999) / 1000));  // not a busy loop, whatever poll's fault
      return;
    }
    if (ready == 0) return;
    std::lock_guard<std::recursive_mutex> hold(g_lock);
    if (HandlePendingEvents()) return;
  }
}

void UpdateThread() {
  int64_t due_us = NowUs();
  FollowUps follow_ups;
  while (g_running.load()) {
    bool showed = false, key_queued = false;
    {
      std::lock_guard<std::recursive_mutex> hold(g_lock);
      showed = Pass();
      key_queued = g_x.key_queued;
      g_x.key_queued = false;
    }
    g_passes.fetch_add(1);
    WaitForNextPass(NextPassPauseMs(NowUs(), key_queued, showed, &due_us, &follow_ups));
  }
}

void CloseDisplay() {
  FreeImage();
  if (g_x.gc) XFreeGC(g_x.display, g_x.gc);
  if (g_x.window) XDestroyWindow(g_x.display, g_x.window);
  if (g_x.display) XCloseDisplay(g_x.display);
  g_x = X11State{};
}

}  // namespace

int32_t X11Init(const char* title, int32_t width, int32_t height, int32_t, int32_t,
                int32_t flags) {
  if (flags & kDisplayOpenGl) return -1;
  if (g_running.load()) return -1;
  XInitThreads();
  g_x.display = XOpenDisplay(nullptr);
  if (!g_x.display) return -1;
  g_x.width = width;
  g_x.height = height;
  g_x.placement = X11Placement{1, 0, 0};
  g_x.completion_type = X11ImageCompletionType(g_x.display);
  if (!ChooseBlitter() || !OpenWindow(title) || !MakeImage()) {
    CloseDisplay();
    return -1;
  }
  if (flags & kDisplayFullscreen) ToggleFullscreen();
  g_running.store(true);
  g_x.thread = std::thread(UpdateThread);
  return 0;
}

void X11Exit() {
  if (g_running.exchange(false) && g_x.thread.joinable()) g_x.thread.join();
  if (g_x.display) CloseDisplay();
}

void X11Lock() { g_lock.lock(); }
void X11Unlock() { g_lock.unlock(); }

// The blitter reads the screen's own palette; the window needs only a new copy.
void X11SetPalette(int32_t, int32_t, int32_t, int32_t) { MarkAllRowsDirty(); }

void X11WaitRetrace() { SleepMs(RetraceMilliseconds(g_screen ? g_screen->refresh_rate : 0)); }

int32_t X11GetMouse(int32_t* x, int32_t* y, int32_t* wheel, int32_t* buttons) {
  std::lock_guard<std::recursive_mutex> hold(g_lock);
  if (!g_x.focused || g_x.mouse_x < 0 || g_x.mouse_y < 0 || g_x.mouse_x >= g_x.width ||
      g_x.mouse_y >= g_x.height) {
    return -1;
  }
  *x = g_x.mouse_x;
  *y = g_x.mouse_y;
  *wheel = g_x.mouse_wheel;
  *buttons = g_x.mouse_buttons;
  return 0;
}

void X11SetMouse(int32_t x, int32_t y, int32_t) {
  std::lock_guard<std::recursive_mutex> hold(g_lock);
  if (!g_x.display || x < 0) return;
  const X11Placement& p = g_x.placement;
  XWarpPointer(g_x.display, None, g_x.window, 0, 0, 0, 0, p.x + ClampInt(x, 0, g_x.width - 1) * p.factor,
               p.y + ClampInt(y, 0, g_x.height - 1) * p.factor);
  XFlush(g_x.display);
}

void X11SetTitle(const char* title) {
  std::lock_guard<std::recursive_mutex> hold(g_lock);
  SetWindowTitle(title);
}

int64_t X11PassCount() { return g_passes.load(); }

bool X11UsesSharedMemory() {
  std::lock_guard<std::recursive_mutex> hold(g_lock);
  return g_x.picture.shared;
}
