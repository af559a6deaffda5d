// The X11 driver's picture in shared memory or sent plainly. A segment is
// marked for removal as soon as the server has attached it, so that it goes
// away with the last detach however the program ends; a server that cannot
// attach it (one on another host, or one that refuses) answers with an X
// error, which a temporary error handler catches, and the plain path serves.
#include "gfx/drivers/x11_image.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <atomic>
#include <cstdlib>

namespace {

std::atomic<bool> g_shared_memory_allowed{true};
bool g_attach_failed = false;

int NoteAttachError(Display*, XErrorEvent*) {
  g_attach_failed = true;
  return 0;
}

bool CreateShared(Display* display, Visual* visual, int depth, int32_t width, int32_t height,
                  X11Image* out) {
  XImage* image = XShmCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, nullptr,
                                  &out->segment, static_cast<unsigned>(width), static_cast<unsigned>(height));
  if (!image) return false;
  size_t bytes = static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(height);
  out->segment.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  if (out->segment.shmid < 0) {
    XDestroyImage(image);
    return false;
  }
  void* address = shmat(out->segment.shmid, nullptr, 0);
  bool attached = address != reinterpret_cast<void*>(-1);
  if (attached) {
    out->segment.shmaddr = image->data = static_cast<char*>(address);
    out->segment.readOnly = False;
    attached = X11AttachSegment(display, &out->segment);
    if (!attached) shmdt(address);
  }
  shmctl(out->segment.shmid, IPC_RMID, nullptr);
  if (!attached) {
    image->data = nullptr;
    XDestroyImage(image);
    out->segment = XShmSegmentInfo{};
    return false;
  }
  out->image = image;
  out->shared = true;
  return true;
}

bool CreatePlain(Display* display, Visual* visual, int depth, int32_t width, int32_t height,
                 X11Image* out) {
  XImage* image = XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                               static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
  if (!image) return false;
  image->data = static_cast<char*>(std::calloc(static_cast<size_t>(image->bytes_per_line), height));
  if (!image->data) {
    XDestroyImage(image);
    return false;
  }
  out->image = image;
  out->shared = false;
  return true;
}

}  // namespace

void X11AllowSharedMemory(bool allowed) { g_shared_memory_allowed.store(allowed); }

bool X11AttachSegment(Display* display, XShmSegmentInfo* segment) {
  XSync(display, False);  // earlier requests' errors go to the usual handler
  g_attach_failed = false;
  XErrorHandler previous = XSetErrorHandler(NoteAttachError);
  Status sent = XShmAttach(display, segment);
  XSync(display, False);
  XSetErrorHandler(previous);
  return sent && !g_attach_failed;
}

bool X11ImageCreate(Display* display, Visual* visual, int depth, int32_t width, int32_t height,
                    X11Image* out) {
  *out = X11Image{};
  if (g_shared_memory_allowed.load() && XShmQueryExtension(display) &&
      CreateShared(display, visual, depth, width, height, out)) {
    return true;
  }
  return CreatePlain(display, visual, depth, width, height, out);
}

void X11ImageDestroy(Display* display, X11Image* image) {
  if (!image->image) return;
  if (image->shared) {
    XShmDetach(display, &image->segment);
    XSync(display, False);  // the server lets go of the segment before it goes
    shmdt(image->segment.shmaddr);
    image->image->data = nullptr;
  }
  XDestroyImage(image->image);  // frees the pixels of a plain image too
  *image = X11Image{};
}

// The server has read a request's pixels once it has answered a later request.
void X11ImageWaitIdle(Display* display, X11Image* image) {
  if (!image->put_pending) return;
  XSync(display, False);
  image->put_pending = false;
}

void X11ImagePut(Display* display, Drawable window, GC gc, X11Image* image, int32_t x, int32_t y,
                 int32_t dest_x, int32_t dest_y, int32_t w, int32_t h) {
  if (!image->image || w <= 0 || h <= 0) return;
  if (image->shared) {
    image->put_serial = NextRequest(display);
    XShmPutImage(display, window, gc, image->image, x, y, dest_x, dest_y, static_cast<unsigned>(w),
                 static_cast<unsigned>(h), True);
    image->put_pending = true;
  } else {
    XPutImage(display, window, gc, image->image, x, y, dest_x, dest_y, static_cast<unsigned>(w),
              static_cast<unsigned>(h));
  }
}

int X11ImageCompletionType(Display* display) {
  return XShmQueryExtension(display) ? XShmGetEventBase(display) + ShmCompletion : -1;
}

void X11ImageCompleted(X11Image* image, unsigned long serial) {
  if (serial >= image->put_serial) image->put_pending = false;
}
