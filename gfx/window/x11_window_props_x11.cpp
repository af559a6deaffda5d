// What a window manager reads from the program's window: the title, the icon
// drawn for the Windows program, the class, and that the close box must ask
// instead of killing the connection.
#include "gfx/window/x11_window_props.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <cstring>
#include <vector>

#include "gfx/window/program_icon.h"

void X11StoreTitle(Display* d, Window w, const char* title) {
  if (!d || !w || !title) return;
  XStoreName(d, w, title);
  Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
  XChangeProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False), utf8, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(title), static_cast<int>(std::strlen(title)));
}

namespace {

void StoreIcon(Display* d, Window w) {
  std::vector<uint32_t> values = ProgramIconProperty();
  std::vector<long> longs(values.begin(), values.end());  // format 32 travels as longs
  XChangeProperty(d, w, XInternAtom(d, "_NET_WM_ICON", False), XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(longs.data()), static_cast<int>(longs.size()));
}

void StoreClass(Display* d, Window w) {
  XClassHint* class_hint = XAllocClassHint();
  if (!class_hint) return;
  class_hint->res_name = const_cast<char*>("tavrel");
  class_hint->res_class = const_cast<char*>("Tavrel");
  XSetClassHint(d, w, class_hint);
  XFree(class_hint);
}

}  // namespace

Atom X11StoreWindowProperties(Display* d, Window w) {
  StoreIcon(d, w);
  StoreClass(d, w);
  Atom delete_window = XInternAtom(d, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(d, w, &delete_window, 1);
  return delete_window;
}
