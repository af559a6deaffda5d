/* Small Xlib helpers shared by the end-to-end tests, the latency benchmark and
 * the command-line tools beside this file: find a window, send keys through
 * XTest, ask a window to close, read pixels back from the screen. */
#ifndef TAVREL_X11_PROBE_H
#define TAVREL_X11_PROBE_H

#include <X11/Xlib.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Opens $DISPLAY and checks for the XTest extension; null on failure. */
Display* ProbeOpen(void);

/* First window (depth-first from the root) whose WM_NAME equals name; 0 if none. */
Window ProbeFindWindow(Display* d, const char* name);

/* A window's top-left corner in root coordinates, and its size. 0 on success. */
int ProbeWindowRect(Display* d, Window w, int* x, int* y, int* width, int* height);

/* Presses and releases one key given as "1", "Return", "alt+Return",
 * "shift+a"... Modifiers are held around the key. 0 on success, -1 for a name
 * that has no key code. The events are flushed before returning. */
int ProbeKey(Display* d, const char* spec);

/* Moves the pointer to (x, y) on the root window and clicks button 1 there. */
void ProbeClick(Display* d, int x, int y);

/* Sends the window manager's close request (WM_DELETE_WINDOW) to w. */
void ProbeCloseRequest(Display* d, Window w);

/* Reads a w x h block of the root window as 0xRRGGBB values, row by row, into
 * out (w * h entries). 0 on success. */
int ProbeGrab(Display* d, int x, int y, int w, int h, uint32_t* out);

/* One pixel of the root window as 0xRRGGBB, or 0xFFFFFFFF on failure. */
uint32_t ProbePixel(Display* d, int x, int y);

/* Monotonic clock in nanoseconds. */
int64_t ProbeNowNs(void);

#ifdef __cplusplus
}
#endif
#endif
