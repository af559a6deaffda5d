// The OpenGL driver's events, handled when the program presents: keys to the
// key queue and the key-state bytes, the close box as the close key, Alt+Enter
// to fullscreen and back, the pointer and its buttons, and the frame's size,
// by which the view is centred.
#include <X11/Xlib.h>

#include <cstring>

#include "gfx/drivers/gl_state_x11.h"
#include "gfx/input/keys_internal.h"
#include "gfx/screen.h"
#include "gfx/window/x11_key_event.h"

namespace glx {
namespace {

void OnButton(unsigned button, bool down) {
  X11ApplyButton(button, down, &g_gl.mouse_buttons, &g_gl.mouse_wheel);
}

void OnKey(XKeyEvent* event, bool down) {
  const X11Key key = X11TranslateKey(event, down);
  X11SetKeyState(key.scan_code, down);
  if (key.alt_enter) ToggleFullscreen();
  else if (key.key_code) KeyQueuePut(key.key_code);
}

// Frame coordinates to the screen's pixels.
void OnPointer(int32_t x, int32_t y) {
  g_gl.mouse_x = x - g_gl.view_x;
  g_gl.mouse_y = y - g_gl.view_y;
}

void OnFocus(bool in) {
  g_gl.focused = in;
  if (g_screen && g_screen->key_state) std::memset(g_screen->key_state, 0, 128);
  g_gl.mouse_buttons = 0;
}

void HandleEvent(XEvent* e) {
  switch (e->type) {
    case KeyPress: OnKey(&e->xkey, true); break;
    case KeyRelease: OnKey(&e->xkey, false); break;
    case MotionNotify: OnPointer(e->xmotion.x, e->xmotion.y); break;
    case ButtonPress: OnPointer(e->xbutton.x, e->xbutton.y); OnButton(e->xbutton.button, true); break;
    case ButtonRelease: OnPointer(e->xbutton.x, e->xbutton.y); OnButton(e->xbutton.button, false); break;
    case LeaveNotify:
      if (e->xcrossing.detail == NotifyInferior) break;  // only into the view
      g_gl.mouse_x = g_gl.mouse_y = -1;
      g_gl.mouse_buttons = 0;
      break;
    case ConfigureNotify:
      if (e->xconfigure.window == g_gl.frame) PlaceView(e->xconfigure.width, e->xconfigure.height);
      break;
    case FocusIn: OnFocus(true); break;
    case FocusOut: OnFocus(false); break;
    case MappingNotify: XRefreshKeyboardMapping(&e->xmapping); break;
    case ClientMessage:
      if (static_cast<Atom>(e->xclient.data.l[0]) == g_gl.delete_window) KeyQueuePut(kKeyClose);
      break;
    default: break;
  }
}

}  // namespace

void HandlePendingEvents() {
  while (XPending(g_gl.display) > 0) {
    XEvent event;
    XNextEvent(g_gl.display, &event);
    HandleEvent(&event);
  }
}

}  // namespace glx
