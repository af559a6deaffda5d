// The DirectX driver's surfaces kept usable: a lost surface is restored, and
// surfaces that cannot be (Restore answers DDERR_WRONGMODE for a primary made
// in another display mode: the desktop's resolution or depth changed, a remote
// session began, a monitor came) are made anew for the display as it now is,
// with the blitter for its format. Windowed, a change of the desktop's mode is
// also taken from the window procedure: Wine keeps reporting such a primary as
// not lost. (Wine 8 tells this process of a change made by another program in
// neither way; it goes on presenting the old surfaces correctly.)
#include "gfx/drivers/dx_objects_win32.h"
#include "gfx/window/window_state_win32.h"

namespace {

// A rebuild that fails (another program holds the display exclusively, say)
// is tried again this long after, not on every pass.
constexpr DWORD kRebuildRetryMs = 250;

enum class Restored { kIntact, kRestored, kFailed };

Restored RestoreIfLost(IDirectDrawSurface* surface) {
  if (!surface) return Restored::kFailed;
  if (surface == g_dx.primary && g_dx.wrong_mode_for_tests) return Restored::kFailed;
  if (surface->IsLost() != DDERR_SURFACELOST) return Restored::kIntact;
  return SUCCEEDED(surface->Restore()) ? Restored::kRestored : Restored::kFailed;
}

bool PrimaryFormatChanged() {
  DDPIXELFORMAT now{};
  now.dwSize = sizeof now;
  const DDPIXELFORMAT& was = g_dx.primary_format;
  return FAILED(g_dx.primary->GetPixelFormat(&now)) || now.dwRGBBitCount != was.dwRGBBitCount ||
         now.dwRBitMask != was.dwRBitMask || now.dwGBitMask != was.dwGBitMask ||
         now.dwBBitMask != was.dwBBitMask || now.dwFlags != was.dwFlags;
}

// False when the surfaces must be made anew.
bool RestoreSurfaces() {
  const Restored primary = RestoreIfLost(g_dx.primary);
  const Restored back = g_window.fullscreen ? Restored::kIntact : RestoreIfLost(g_dx.back);
  if (primary == Restored::kFailed || back == Restored::kFailed) return false;
  if (primary == Restored::kRestored && PrimaryFormatChanged()) return false;
  if (primary == Restored::kRestored || back == Restored::kRestored) WindowMarkAllRowsDirty();
  return true;
}

// The window, DirectDraw and the keyboard stay; fullscreen, the screen's
// display mode is set again first, since the display may have left it.
bool RebuildSurfaces() {
  DxReleaseSurfaces();
  g_dx.wrong_mode_for_tests = false;
  if (g_window.fullscreen ? !DxSetFullscreenMode() : !DxCreateClipper()) return false;
  return DxRunStep(DxStep::kSurfaces, DxCreateSurfaces);
}

bool RebuildWhenDue() {
  const DWORD now = GetTickCount();
  if (g_dx.rebuild_tried && now - g_dx.rebuild_tick < kRebuildRetryMs) return false;
  g_dx.rebuild_tried = true;
  g_dx.rebuild_tick = now;
  if (!RebuildSurfaces()) return false;
  g_dx.rebuild_due = false;
  g_dx.rebuild_tried = false;
  g_dx.present_due = true;
  WindowMarkAllRowsDirty();
  return true;
}

}  // namespace

bool DxSurfacesReady() {
  // Fullscreen the mode is the driver's own doing; a change by anyone else
  // shows as lost surfaces.
  const bool mode_changed = InterlockedExchange(&g_window.display_changed, 0) != 0;
  if (mode_changed && !g_window.fullscreen) g_dx.rebuild_due = true;
  if (!g_dx.rebuild_due && !RestoreSurfaces()) g_dx.rebuild_due = true;
  return !g_dx.rebuild_due || RebuildWhenDue();
}

void DxLosePrimaryForTests() {
  WindowLock();
  g_dx.wrong_mode_for_tests = true;
  WindowUnlock();
}
