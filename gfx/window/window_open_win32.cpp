// Opening and closing the common part of a display: the window class, the
// system settings an open screen holds (screen saver, timer period), the
// display lock and the update thread.
#include <process.h>

#include <cstring>

#include "gfx/window/display_driver.h"
#include "gfx/window/screen_failure_note.h"
#include "gfx/window/system_settings_win32.h"
#include "gfx/window/time_slice.h"
#include "gfx/window/window_geometry.h"
#include "gfx/window/window_state_win32.h"

namespace {

int32_t ReadOsVersion() {
  OSVERSIONINFOA info;
  std::memset(&info, 0, sizeof info);
  info.dwOSVersionInfoSize = sizeof info;  // 148 bytes
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)
#endif
  if (!GetVersionExA(&info)) return 0;
  return static_cast<int32_t>(info.dwMajorVersion << 8 | info.dwMinorVersion);
}

void RegisterWindowClass(int32_t flags) {
  WNDCLASSA& wc = g_window.window_class;
  wc.style = CS_HREDRAW | CS_VREDRAW | ((flags & kDisplayOpenGl) ? CS_OWNDC : 0);
  wc.lpfnWndProc = WindowProc;
  wc.cbClsExtra = 0;
  wc.cbWndExtra = 0;
  wc.hInstance = g_window.instance;
  wc.hIcon = LoadIconA(g_window.instance, "KV_PROGRAM_ICON");
  if (!wc.hIcon) wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = nullptr;
  wc.lpszMenuName = nullptr;
  wc.lpszClassName = g_window.class_name;
  RegisterClassA(&wc);
}

// _beginthreadex rather than _beginthread: the handle of the latter is closed by
// the thread itself when it ends, so waiting on it could wait on a stale handle.
unsigned __stdcall UpdateThreadEntry(void* ready_event) {
  g_window.thread_main(ready_event);
  return 0;
}

// Starts the update thread and waits until it has its window (0) or has died (-1).
int32_t StartUpdateThread() {
  HANDLE ready = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  if (!ready) return -1;
  InitializeCriticalSection(&g_display_lock);
  g_lock_ready = true;
  uintptr_t thread = _beginthreadex(nullptr, 0, UpdateThreadEntry, ready, 0, nullptr);
  if (!thread) {
    CloseHandle(ready);
    g_lock_ready = false;
    DeleteCriticalSection(&g_display_lock);
    return -1;
  }
  g_update_thread = reinterpret_cast<HANDLE>(thread);
  HANDLE waits[2] = {ready, g_update_thread};
  DWORD which = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
  CloseHandle(ready);
  if (which != WAIT_OBJECT_0) return -1;
  SetThreadPriority(g_update_thread, THREAD_PRIORITY_ABOVE_NORMAL);
  return 0;
}

// Leaves the display lock completely when the calling thread holds it, so that
// waiting for the update thread (which needs the lock to end its pass) cannot
// deadlock.
void ReleaseLockIfOwned() {
  DWORD self = GetCurrentThreadId();
  while (reinterpret_cast<DWORD_PTR>(g_display_lock.OwningThread) == static_cast<DWORD_PTR>(self) &&
         g_display_lock.RecursionCount > 0) {
    LeaveCriticalSection(&g_display_lock);
  }
}

}  // namespace

int32_t WindowOpen(const char* title, int32_t width, int32_t height, int32_t depth,
                   int32_t refresh_rate, int32_t flags) {
  g_window.os_version = ReadOsVersion();
  WindowDeclareDpiAwareness();
  g_cursor_message = RegisterWindowMessageA("KV mouse cursor");
  g_cursor_shown = kFlagSet;
  SystemSettingsTake(WindowSystemCalls());
  g_window.instance = GetModuleHandleA(nullptr);
  g_window.title = title;
  BuildClassName(title, g_window.class_name);
  g_window.width = width;
  g_window.height = height;
  g_window.depth = depth;
  g_window.refresh_rate = refresh_rate;
  g_window.fullscreen = (flags & kDisplayFullscreen) ? kFlagSet : 0;
  RegisterWindowClass(flags);
  g_mouse_wheel = 0;
  g_mouse_buttons = 0;
  InterlockedExchange(&g_window.running, kFlagSet);
  if (flags & kDisplayOpenGl) {  // the OpenGL driver works on the calling thread
    g_update_thread = nullptr;
    return 0;
  }
  if (StartUpdateThread() == 0) return 0;
  NoteScreenFailure(ScreenFailure::kWindowFailed);
  // The caller's exit gives the rest back; the settings go back at once, in
  // case a caller never calls it.
  SystemSettingsGiveBack();
  return -1;
}

int32_t WindowOpenThreaded(const WindowRoutines& routines, const char* title, int32_t width,
                           int32_t height, int32_t depth, int32_t refresh_rate, int32_t flags) {
  std::memset(&g_window, 0, sizeof g_window);
  if (flags & kDisplayOpenGl) return -1;
  g_window.create_window = routines.create_window;
  g_window.destroy_window = routines.destroy_window;
  g_window.paint = routines.paint;
  g_window.thread_main = routines.thread_main;
  g_window.rescale = routines.rescale;
  return WindowOpen(title, width, height, depth, refresh_rate, flags);
}

void WindowClose() {
  if (!g_window.running) return;
  InterlockedExchange(&g_window.running, 0);
  RaiseIdleWake();  // an idle update thread sees running cleared at once
  if (g_update_thread) {
    ReleaseLockIfOwned();
    WaitForSingleObject(g_update_thread, INFINITE);
    CloseHandle(g_update_thread);
    g_update_thread = nullptr;
    g_lock_ready = false;
    DeleteCriticalSection(&g_display_lock);
  }
  SystemSettingsGiveBack();
  UnregisterClassA(g_window.class_name, g_window.instance);
}
