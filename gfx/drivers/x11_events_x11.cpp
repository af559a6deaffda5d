// The X11 driver's events: keys to the key queue and the key-state bytes, the
// pointer and buttons to the mouse state, the close box, exposure and resizes.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>

#include "gfx/drivers/x11_driver_state.h"
#include "gfx/input/keys_internal.h"
#include "gfx/screen.h"
#include "gfx/window/x11_key_event.h"

namespace x11 {
namespace {

// A key for the program; the passes after it come early.
void QueueKey(int32_t code) {
  KeyQueuePut(code);
  g_x.key_queued = true;
}

void OnButton(unsigned button, bool down) {
  X11ApplyButton(button, down, &g_x.mouse_buttons, &g_x.mouse_wheel);
}

void OnKey(XKeyEvent* event, bool down) {
  const X11Key key = X11TranslateKey(event, down);
  X11SetKeyState(key.scan_code, down);
  if (key.alt_enter) ToggleFullscreen();
  else if (key.key_code) QueueKey(key.key_code);
}

void OnPointer(int32_t wx, int32_t wy) {
  const X11Placement& p = g_x.placement;
  g_x.mouse_x = (wx - p.x) / p.factor;
  g_x.mouse_y = (wy - p.y) / p.factor;
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
}  // namespace

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

}  // namespace x11
