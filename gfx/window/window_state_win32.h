// The common Win32 window layer shared by the display drivers: its state record,
// the process-wide objects that outlive a screen, and the operations the drivers
// put into their tables.
#pragma once
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdint>

#include "gfx/blitters/blitter.h"

// One display palette entry; laid out like PALETTEENTRY so it can be handed on.
struct DisplayPaletteEntry {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
  uint8_t flags;  // always PC_NOCOLLAPSE
};

// Cleared (all zero bytes) by every driver's init before anything else.
struct WindowState {
  int32_t os_version;  // major << 8 | minor
  HINSTANCE instance;
  WNDCLASSA window_class;
  HWND window;
  DisplayPaletteEntry display_palette[256];
  Blitter blitter;
  volatile LONG running;  // written across threads through Interlocked calls
  volatile LONG palette_changed;
  // Set by the window procedure when the desktop's display mode has changed;
  // a driver whose surfaces depend on the mode takes it and clears it.
  volatile LONG display_changed;
  int32_t active;
  int32_t width;
  int32_t height;  // display rows: also the number of dirty flags scanned
  int32_t depth;
  int32_t refresh_rate;
  int32_t fullscreen;
  // Fullscreen: display rows above the picture's row 0, where a display mode
  // taller than the screen centres it (DirectX's y_offset); 0 otherwise.
  int32_t picture_top;
  int32_t scale;  // display pixels per framebuffer pixel, windowed (window_dpi_win32.cpp)
  const char* title;
  char class_name[140];
  int32_t (*create_window)();
  void (*destroy_window)();
  void (*paint)();
  void (*thread_main)(void* ready_event);
  void (*rescale)();  // after the scale changed; may be null
};

extern WindowState g_window;

// Process-wide, never cleared by a driver's init.
extern HANDLE g_update_thread;
extern int32_t g_cursor_shown;
extern UINT g_cursor_message;
extern int32_t g_mouse_buttons;
extern int32_t g_mouse_wheel;
extern CRITICAL_SECTION g_display_lock;
// True from the lock's initialisation until its deletion; lock and unlock do
// nothing outside that time (OpenGL, or a driver that never started).
extern bool g_lock_ready;

constexpr int32_t kFlagSet = -1;

// Posted to the window by WindowSetTitle: sets the caption to the title in
// force, on the window's own thread.
constexpr UINT kTitleMessage = WM_APP;

int32_t WindowOpen(const char* title, int32_t width, int32_t height, int32_t depth,
                   int32_t refresh_rate, int32_t flags);

// The four routines a driver with an update thread installs into the state.
struct WindowRoutines {
  int32_t (*create_window)();
  void (*destroy_window)();
  void (*paint)();
  void (*thread_main)(void* ready_event);
  // Rebuilds what depends on the window's scale once it has changed (a move to
  // a display of another density); null when nothing does.
  void (*rescale)() = nullptr;
};
// The whole init of such a driver: clears the state, refuses OpenGL screens,
// installs the routines and opens the window through the update thread.
int32_t WindowOpenThreaded(const WindowRoutines& routines, const char* title, int32_t width,
                           int32_t height, int32_t depth, int32_t refresh_rate, int32_t flags);
void WindowClose();
void WindowLock();
void WindowUnlock();
void WindowSetPaletteEntry(int32_t index, int32_t red, int32_t green, int32_t blue);
void WindowWaitRetrace();
int32_t WindowGetMouse(int32_t* x, int32_t* y, int32_t* wheel, int32_t* buttons);
void WindowSetMouse(int32_t x, int32_t y, int32_t cursor);
void WindowSetTitle(const char* title);
// The window procedure's answer to kTitleMessage: the caption becomes the
// title in force.
void WindowApplyTitle(HWND window);
// Drains the window's message queue; true when it dispatched any message.
bool PumpMessages();
LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
void WindowToggleFullscreen();

// Creates a visible window of the given style, centred on the primary screen,
// whose client area is width x height times the scale chosen for the primary
// display (stored in the state). Null on failure.
HWND WindowCreateCentred(DWORD style);

// Dense displays (window_dpi_win32.cpp). Asks Windows for per-monitor density
// awareness, so that the window is never stretched with smoothing; harmless
// when the manifest already did or the system knows no such thing.
void WindowDeclareDpiAwareness();
// Display pixels per framebuffer pixel in each direction: the windowed scale,
// 1 in fullscreen (a display mode of the screen's own size).
int32_t WindowScale();
// Chooses the scale for a window of the style on the primary display (stored
// in the state) and returns the outer rectangle of the scaled client area,
// at (0, 0) less the frame.
RECT WindowChooseScale(DWORD style);
// WM_DPICHANGED: wparam's low word the new density, lparam the rectangle
// Windows suggests. Chooses the scale anew, calls rescale when it changed,
// moves and sizes the window to the suggested place and redraws it all.
void WindowOnDpiChanged(WPARAM wparam, LPARAM lparam);
int32_t WindowDpiChangedMessage();
// Makes a window's client area exactly w x h where its frame turned out other
// than computed (a system that draws the frame at another density than the
// one the window was sized for); keeps its top-left corner.
void WindowFitClient(HWND window, int32_t w, int32_t h);

// The update thread's skeleton: creates the window, signals, then runs passes of
// frame_step (called under the display lock, true when it put changed rows on
// screen) until running is cleared.
void WindowRunUpdateThread(void* ready_event, bool (*frame_step)());

// Called by the window procedure when it queued a key: early passes follow, so
// that the program's answer to the key reaches the window sooner.
void WindowNoteKeyQueued();

// Flags every display row changed, so the next pass copies the whole picture.
void WindowMarkAllRowsDirty();

// Passes completed by the update thread since the process started (for tests and
// measurements).
LONG WindowPassCount();
