// The X11 display driver's state and the routines its files share. Only the
// driver's own files include this; programs see gfx/drivers/driver_x11.h.
#pragma once
#include <X11/Xlib.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "gfx/blitters/blitter.h"
#include "gfx/drivers/x11_image.h"
#include "gfx/window/x11_layout.h"

namespace x11 {

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
  int32_t window_scale = 1;  // the windowed scale from the display's density
  bool fullscreen = false;
  bool focused = true;
  bool key_queued = false;  // by the events handled since the last pass
  int32_t mouse_x = -1, mouse_y = -1, mouse_buttons = 0, mouse_wheel = 0;
  std::thread thread;
};

extern X11State g_x;
extern std::atomic<bool> g_running;
extern std::atomic<int64_t> g_passes;
// The display lock: the program's drawing and the update thread's passes.
extern std::recursive_mutex g_lock;

// Picture (x11_present_x11.cpp).
void MarkAllRowsDirty();
void FreeImage();
bool MakeImage();      // the XImage at the current scale; false when refused
bool ChooseBlitter();  // the blitter for the default visual; false when unknown
bool CopyDirtyRows();  // true when there were changed rows to show

// Events (x11_events_x11.cpp): handles those that have come; true when a key
// or a mouse button was among them.
bool HandlePendingEvents();

// Window (x11_window_x11.cpp).
bool OpenWindow(const char* title);
void ToggleFullscreen();
void SetWindowTitle(const char* title);
void CloseDisplay();

// Update thread (x11_update_thread_x11.cpp).
int64_t NowUs();
void SleepMs(int32_t ms);
void UpdateThread();

}  // namespace x11
