// The properties a window manager reads from a program's top-level X window,
// shared by the X drivers: its title, its icon, its class and the close request.
#pragma once
#include <X11/Xlib.h>

// The caption, as WM_NAME and as UTF-8 _NET_WM_NAME; nothing for a null title.
void X11StoreTitle(Display* d, Window w, const char* title);
// The program's icon (_NET_WM_ICON), the class "tavrel"/"Tavrel", and
// WM_DELETE_WINDOW among the protocols; returns the WM_DELETE_WINDOW atom that
// the close box's client message carries.
Atom X11StoreWindowProperties(Display* d, Window w);
