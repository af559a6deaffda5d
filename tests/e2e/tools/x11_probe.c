/* Xlib and XTest helpers of the end-to-end tests (see x11_probe.h). */
#define _POSIX_C_SOURCE 200809L
#include "x11_probe.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

/* A window that vanishes between two requests must not end the caller: Xlib's
 * default handler exits on any protocol error. */
static int KeepGoing(Display* d, XErrorEvent* e) {
  (void)d;
  (void)e;
  return 0;
}

Display* ProbeOpen(void) {
  Display* d = XOpenDisplay(NULL);
  XSetErrorHandler(KeepGoing);
  int event, error, major, minor;
  if (d == NULL) return NULL;
  if (!XTestQueryExtension(d, &event, &error, &major, &minor)) {
    XCloseDisplay(d);
    return NULL;
  }
  return d;
}

static Window FindBelow(Display* d, Window w, const char* name, int depth) {
  Window root, parent, *children = NULL, found = 0;
  unsigned int count = 0;
  char* title = NULL;
  if (XFetchName(d, w, &title) && title != NULL) {
    int same = strcmp(title, name) == 0;
    XFree(title);
    if (same) return w;
  }
  if (depth > 8 || !XQueryTree(d, w, &root, &parent, &children, &count)) return 0;
  for (unsigned int i = 0; i < count && found == 0; ++i)
    found = FindBelow(d, children[i], name, depth + 1);
  if (children) XFree(children);
  return found;
}

Window ProbeFindWindow(Display* d, const char* name) {
  return FindBelow(d, DefaultRootWindow(d), name, 0);
}

int ProbeWindowRect(Display* d, Window w, int* x, int* y, int* width, int* height) {
  XWindowAttributes a;
  Window child;
  if (!XGetWindowAttributes(d, w, &a)) return -1;
  if (!XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, x, y, &child)) return -1;
  *width = a.width;
  *height = a.height;
  return 0;
}

static KeyCode CodeFor(Display* d, const char* name) {
  KeySym sym = XStringToKeysym(name);
  if (sym == NoSymbol) return 0;
  return XKeysymToKeycode(d, sym);
}

static const char* ModifierKeysym(const char* mod, size_t len) {
  if (len == 3 && strncmp(mod, "alt", 3) == 0) return "Alt_L";
  if (len == 5 && strncmp(mod, "shift", 5) == 0) return "Shift_L";
  if (len == 4 && strncmp(mod, "ctrl", 4) == 0) return "Control_L";
  return NULL;
}

int ProbeKey(Display* d, const char* spec) {
  KeyCode mods[4];
  int mod_count = 0;
  const char* rest = spec;
  const char* plus;
  while ((plus = strchr(rest, '+')) != NULL && plus[1] != '\0' && mod_count < 4) {
    const char* sym = ModifierKeysym(rest, (size_t)(plus - rest));
    if (sym == NULL) return -1;
    mods[mod_count++] = CodeFor(d, sym);
    rest = plus + 1;
  }
  KeyCode key = CodeFor(d, rest);
  if (key == 0) return -1;
  for (int i = 0; i < mod_count; ++i) XTestFakeKeyEvent(d, mods[i], True, CurrentTime);
  XTestFakeKeyEvent(d, key, True, CurrentTime);
  XTestFakeKeyEvent(d, key, False, CurrentTime);
  for (int i = mod_count - 1; i >= 0; --i) XTestFakeKeyEvent(d, mods[i], False, CurrentTime);
  XFlush(d);
  return 0;
}

void ProbeClick(Display* d, int x, int y) {
  XTestFakeMotionEvent(d, DefaultScreen(d), x, y, CurrentTime);
  XTestFakeButtonEvent(d, 1, True, CurrentTime);
  XTestFakeButtonEvent(d, 1, False, CurrentTime);
  XFlush(d);
}

void ProbeCloseRequest(Display* d, Window w) {
  XEvent e;
  memset(&e, 0, sizeof e);
  e.xclient.type = ClientMessage;
  e.xclient.window = w;
  e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = (long)XInternAtom(d, "WM_DELETE_WINDOW", False);
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, w, False, NoEventMask, &e);
  XFlush(d);
}

static int ShiftOf(unsigned long mask) {
  int s = 0;
  while (mask && !(mask & 1)) { mask >>= 1; ++s; }
  return s;
}

static uint32_t Channel(unsigned long pixel, unsigned long mask) {
  unsigned long v = (pixel & mask) >> ShiftOf(mask);
  unsigned long max = mask >> ShiftOf(mask);
  return max ? (uint32_t)(v * 255 / max) : 0;
}

int ProbeGrab(Display* d, int x, int y, int w, int h, uint32_t* out) {
  XImage* img = XGetImage(d, DefaultRootWindow(d), x, y, (unsigned)w, (unsigned)h, AllPlanes, ZPixmap);
  if (img == NULL) return -1;
  for (int row = 0; row < h; ++row)
    for (int col = 0; col < w; ++col) {
      unsigned long p = XGetPixel(img, col, row);
      out[row * w + col] = Channel(p, img->red_mask) << 16 | Channel(p, img->green_mask) << 8 |
                           Channel(p, img->blue_mask);
    }
  XDestroyImage(img);
  return 0;
}

uint32_t ProbePixel(Display* d, int x, int y) {
  uint32_t p;
  return ProbeGrab(d, x, y, 1, 1, &p) == 0 ? p : 0xFFFFFFFFu;
}

int64_t ProbeNowNs(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (int64_t)t.tv_sec * 1000000000 + t.tv_nsec;
}
