// The "DirectX" display driver: DirectDraw shows the framebuffer, windowed (an
// off-screen surface blitted into the client area) or fullscreen (exclusive
// mode, the rows converted straight into the display), and DirectInput reads
// the keyboard. Any step that fails leaves the mode switch to try GDI.
#include <atomic>
#include <cstring>

#include "gfx/drivers/drivers_win32.h"
#include "gfx/drivers/dx_objects_win32.h"
#include "gfx/screen.h"
#include "gfx/window/window_state_win32.h"

namespace {

std::atomic<DxStep> g_failing_step{DxStep::kNone};  // set by tests while a display runs

// How long leaving fullscreen waits for the desktop's mode to show: 1 s at
// most, asking again every 200 ms.
constexpr int kDesktopModeWaitMs = 10;
constexpr int kDesktopModeWaits = 100;
constexpr int kDesktopModeWaitsPerRequest = 20;

bool CreateDirectDraw() {
  g_dx.ddraw = DxCreateDirectDraw(g_dx.ddraw_module);
  return g_dx.ddraw != nullptr;
}

bool CreateWindowOfMode() {
  g_dx.source_rect = RECT{0, 0, g_window.width, g_window.height};
  return g_window.fullscreen ? DxCreateFullscreenWindow() : DxCreateWindowedWindow();
}

bool CreateDisplay() {
  return DxRunStep(DxStep::kLibraries, DxLoadLibraries) &&
         DxRunStep(DxStep::kDirectDraw, CreateDirectDraw) &&
         DxRunStep(DxStep::kDirectInput, DxCreateDirectInput) &&
         DxRunStep(DxStep::kWindow, CreateWindowOfMode) &&
         DxRunStep(DxStep::kSurfaces, DxCreateSurfaces);
}

void ReadRefreshRate() {
  DWORD rate = 0;
  g_dx.ddraw->GetMonitorFrequency(&rate);
  if (g_screen) g_screen->refresh_rate = static_cast<int32_t>(rate);
}

// Where the client area lies on the screen now.
POINT ClientOrigin() {
  POINT origin{0, 0};
  ClientToScreen(g_window.window, &origin);
  return origin;
}

void PresentAt(POINT origin) {
  if (!g_dx.primary || !g_dx.back || g_dx.rebuild_due) return;
  const int32_t w = g_window.width * WindowScale(), h = g_window.height * WindowScale();
  RECT target{origin.x, origin.y, origin.x + w, origin.y + h};
  RECT source{0, 0, w, h};
  if (SUCCEEDED(g_dx.primary->Blt(&target, g_dx.back, &source, DDBLT_WAIT, nullptr))) {
    g_dx.present_due = false;
    g_dx.presented_at = origin;
  }
}

// A window that moved since the last present is presented again.
void PresentIfDue() {
  if (g_window.fullscreen) return;
  const POINT origin = ClientOrigin();
  if (origin.x != g_dx.presented_at.x || origin.y != g_dx.presented_at.y) g_dx.present_due = true;
  if (g_dx.present_due) PresentAt(origin);
}

// One pass's driver part, under the display lock; true when it showed changed
// rows. Fullscreen and inactive (switched away from), nothing is converted or
// shown: the dirty flags wait.
bool DxFrameStep() {
  const bool showing = !(g_window.fullscreen && !g_window.active) && g_dx.ddraw && g_screen;
  bool converted = false;
  if (showing && g_window.fullscreen) DxKeepPopupFitted();
  if (showing && DxSurfacesReady()) {
    DxApplyPalette();
    converted = DxConvertDirtyRows();
    if (converted) g_dx.present_due = true;
    PresentIfDue();
  }
  DxReadKeyboard();
  return converted;
}

// The screen's metrics as well as the mode: windows are sized by the metrics,
// and the two are kept apart under Wine.
bool ScreenHasSize(const DEVMODEA& wanted) {
  return GetSystemMetrics(SM_CXSCREEN) == static_cast<int>(wanted.dmPelsWidth) &&
         GetSystemMetrics(SM_CYSCREEN) == static_cast<int>(wanted.dmPelsHeight);
}

bool DisplayHasMode(const DEVMODEA& wanted) {
  DEVMODEA now;
  std::memset(&now, 0, sizeof now);
  now.dmSize = sizeof now;
  return EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &now) &&
         now.dmPelsWidth == wanted.dmPelsWidth && now.dmPelsHeight == wanted.dmPelsHeight &&
         now.dmBitsPerPel == wanted.dmBitsPerPel && ScreenHasSize(wanted);
}

void SetDesktopMode() {
  DEVMODEA mode = g_dx.desktop_mode;
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
  ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN);
}

// The mode saved on the way in, asked for by name; the registry's mode only
// when none was saved. It is set even when this process already sees it: under
// Wine this process's view of the display was seen to lag the display itself,
// so a check against that view could skip the one request the display still
// needed. The window made next is sized by the view, so it is given time to
// catch up (asking once more now and then), within a bound: a display that
// never comes back must not hang the switch.
void RestoreDesktopMode() {
  if (!g_dx.desktop_mode_saved) {
    ChangeDisplaySettingsA(nullptr, 0);
    return;
  }
  SetDesktopMode();
  for (int i = 1; i <= kDesktopModeWaits && !DisplayHasMode(g_dx.desktop_mode); ++i) {
    if (i % kDesktopModeWaitsPerRequest == 0) SetDesktopMode();
    Sleep(kDesktopModeWaitMs);
  }
}

}  // namespace

int32_t DxInit(const char* title, int32_t width, int32_t height, int32_t depth,
               int32_t refresh_rate, int32_t flags) {
  static constexpr WindowRoutines kRoutines{
      .create_window = DxCreateWindow,
      .destroy_window = DxDestroyWindow,
      .paint = DxPaint,
      .thread_main = DxThreadMain,
      .rescale = DxRescale,
  };
  return WindowOpenThreaded(kRoutines, title, width, height, depth, refresh_rate, flags);
}

int32_t DxCreateWindow() {
  std::memset(&g_dx, 0, sizeof g_dx);
  if (!CreateDisplay()) return -1;
  ReadRefreshRate();
  SetForegroundWindow(g_window.window);
  if (!DxRunStep(DxStep::kKeyboard, DxOpenKeyboard)) return -1;
  g_dx.present_due = true;
  // The surfaces were just made for the display as it is, whatever mode
  // changes (a fullscreen switch's own) were reported on the way.
  InterlockedExchange(&g_window.display_changed, 0);
  return 0;
}

void DxDestroyWindow() {
  DxCloseKeyboard();
  if (g_dx.ddraw) {
    DxReleaseSurfaces();
    if (g_window.fullscreen) {
      g_dx.ddraw->RestoreDisplayMode();
      g_dx.ddraw->SetCooperativeLevel(g_window.window, DDSCL_NORMAL);
    }
    DxRelease(g_dx.ddraw);
  }
  // RestoreDisplayMode alone was seen to leave the game's mode in place under
  // Wine; the desktop's own mode must come back in any case.
  if (g_window.fullscreen) RestoreDesktopMode();
  if (g_window.window) DestroyWindow(g_window.window);
  // Cleared so that nothing later draws through a stale handle.
  g_window.window = nullptr;
  g_window.blitter = nullptr;
  DxFreeLibraries();
}

// Windowed, the whole back surface goes to where the client area lies on the
// screen; fullscreen the display is the back surface, so nothing is to be done.
void DxPaint() {
  if (g_window.fullscreen || !g_window.window) return;
  PresentAt(ClientOrigin());
}

void DxFailStepForTests(DxStep step) { g_failing_step = step; }

bool DxRunStep(DxStep step, bool (*run)()) { return step != g_failing_step && run(); }

void DxThreadMain(void* ready_event) { WindowRunUpdateThread(ready_event, DxFrameStep); }

// Runs on the caller's thread; references of its own keep the DirectDraw
// object and its library alive should a fullscreen switch replace them meanwhile.
void DxWaitVsync() {
  HMODULE module = nullptr;
  IDirectDraw2* ddraw = DxAcquireRunningDirectDraw(&module);
  if (!ddraw) {
    WindowWaitRetrace();
    return;
  }
  ddraw->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
  ddraw->Release();
  FreeLibrary(module);
}
