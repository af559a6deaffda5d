// The X11 driver's picture: an XImage in a shared memory segment that the X
// server reads straight from (MIT-SHM) where the server offers it and can
// attach the segment, else an ordinary XImage sent over the connection.
#pragma once
#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstdint>

struct X11Image {
  XImage* image = nullptr;
  bool shared = false;
  bool put_pending = false;  // the server may still be reading the shared pixels
  unsigned long put_serial = 0;  // the request number of the last shared put
  XShmSegmentInfo segment{};
};

// Tests force the plain path with false; true (the default) lets the driver
// use shared memory where it works.
void X11AllowSharedMemory(bool allowed);

// Asks the server to attach the segment; false, with the X error caught
// instead of ending the program, when it refuses.
bool X11AttachSegment(Display* display, XShmSegmentInfo* segment);

// Creates a zero-filled width x height image for the visual; false when
// neither kind can be made.
bool X11ImageCreate(Display* display, Visual* visual, int depth, int32_t width, int32_t height,
                    X11Image* out);
// Frees the image and, for a shared one, detaches and releases its segment.
void X11ImageDestroy(Display* display, X11Image* image);
// Waits until the server no longer reads the pixels, so they may be written.
void X11ImageWaitIdle(Display* display, X11Image* image);
// Shows the rectangle (x, y, w, h) of the image at (dest_x, dest_y).
void X11ImagePut(Display* display, Drawable window, GC gc, X11Image* image, int32_t x, int32_t y,
                 int32_t dest_x, int32_t dest_y, int32_t w, int32_t h);
// The event type that tells a shared put is done, or -1 without MIT-SHM.
int X11ImageCompletionType(Display* display);
// Takes note of a completion event (its serial number): the pixels are free
// once the last put is done, not an earlier one.
void X11ImageCompleted(X11Image* image, unsigned long serial);
