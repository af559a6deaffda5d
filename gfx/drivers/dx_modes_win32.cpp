// Display modes through DirectDraw: the fullscreen mode switch and the list of
// modes a program can ask for.
#include <cstring>

#include "gfx/drivers/display_modes.h"
#include "gfx/drivers/drivers_win32.h"
#include "gfx/drivers/dx_objects_win32.h"
#include "gfx/window/window_state_win32.h"

static_assert(kStandardVgaModeFlag == DDSDM_STANDARDVGAMODE);

namespace {

bool DisplayIs(IDirectDraw2* ddraw, int32_t width, int32_t height) {
  DDSURFACEDESC mode;
  std::memset(&mode, 0, sizeof mode);
  mode.dwSize = sizeof mode;
  return SUCCEEDED(ddraw->GetDisplayMode(&mode)) && mode.dwWidth == static_cast<DWORD>(width) &&
         mode.dwHeight == static_cast<DWORD>(height);
}

bool SetModeOnce(IDirectDraw2* ddraw, int32_t width, int32_t height, int32_t depth,
                 int32_t refresh_rate, uint32_t mode_flags) {
  return SUCCEEDED(ddraw->SetDisplayMode(static_cast<DWORD>(width), static_cast<DWORD>(height),
                                         static_cast<DWORD>(depth),
                                         static_cast<DWORD>(refresh_rate), mode_flags)) &&
         DisplayIs(ddraw, width, height);
}

// Under Wine's virtual desktop the first mode switch of a session now and then
// reports success and leaves the display as it was (the primary surface then
// has the desktop's size): a switch counts only once the display has the size
// asked for, and is tried a second time before the search moves on.
bool SetModeOnDirectDraw(void* context, int32_t width, int32_t height, int32_t depth,
                         int32_t refresh_rate, uint32_t mode_flags) {
  auto* ddraw = static_cast<IDirectDraw2*>(context);
  return SetModeOnce(ddraw, width, height, depth, refresh_rate, mode_flags) ||
         SetModeOnce(ddraw, width, height, depth, refresh_rate, mode_flags);
}

struct ModeFilter {
  int32_t depth;
  ModeList* list;
};

// Every mode is accepted, so the enumeration always runs to its end.
HRESULT WINAPI CollectMode(DDSURFACEDESC* mode, void* context) {
  auto* wanted = static_cast<ModeFilter*>(context);
  const DDPIXELFORMAT& f = mode->ddpfPixelFormat;
  if (FormatBits(f.dwRGBBitCount, f.dwGBitMask) == wanted->depth) {
    ModeListAppend(wanted->list, static_cast<int32_t>(mode->dwWidth),
                   static_cast<int32_t>(mode->dwHeight));
  }
  return DDENUMRET_OK;
}

// A DirectDraw object for listing modes: the running driver's, or one made for
// this call alone; either way with a reference of this call's own to the
// library.
struct ModeSource {
  IDirectDraw2* ddraw = nullptr;
  HMODULE own_module = nullptr;
};

bool OpenModeSource(ModeSource* source) {
  source->ddraw = DxAcquireRunningDirectDraw(&source->own_module);
  if (source->ddraw) return true;
  source->own_module = LoadLibraryA("ddraw.dll");
  if (!source->own_module) return false;
  source->ddraw = DxCreateDirectDraw(source->own_module);
  return source->ddraw != nullptr;
}

void CloseModeSource(ModeSource* source) {
  DxRelease(source->ddraw);
  if (source->own_module) FreeLibrary(source->own_module);
}

}  // namespace

bool DxSetFullscreenMode() {
  DisplayModeChoice choice{};
  if (!SearchDisplayMode(g_window.width, g_window.height, g_window.depth, g_window.refresh_rate,
                         SetModeOnDirectDraw, g_dx.ddraw, &choice)) {
    return false;
  }
  g_dx.y_offset = choice.y_offset;
  g_window.picture_top = choice.y_offset;
  g_dx.mode_height = choice.height;
  // The popup was made at the desktop's size. Wine fits it to the new mode on
  // its own, but not always (seen: a 1024x768 popup left on a 640x480
  // display), and a popup larger than the display lets a click beyond it give
  // the display its own mode back.
  DxKeepPopupFitted();
  return true;
}

// Fitting the popup once is not always enough: in a soak it was seen at the
// desktop's 1024x768 on the 640x480 display for seconds after a switch.
// Wine's exclusive mode sizes the window to the monitor whenever a display
// change is reported, and a late report of the previous switch back to the
// desktop would carry the old size. One GetWindowRect a pass finds it.
void DxKeepPopupFitted() {
  RECT now;
  if (!GetWindowRect(g_window.window, &now)) return;
  if (now.left == 0 && now.top == 0 && now.right == g_window.width && now.bottom == g_dx.mode_height) return;
  SetWindowPos(g_window.window, nullptr, 0, 0, g_window.width, g_dx.mode_height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int32_t* DxFetchModes(int32_t depth, int32_t* count) {
  ModeSource source;
  if (!OpenModeSource(&source)) {
    CloseModeSource(&source);
    return nullptr;  // count untouched: there was nothing to ask
  }
  ModeList list;
  ModeFilter wanted{depth, &list};
  if (FAILED(source.ddraw->EnumDisplayModes(DDEDM_STANDARDVGAMODES, nullptr, &wanted,
                                            CollectMode))) {
    ModeListDiscard(&list);
  }
  CloseModeSource(&source);
  if (count) *count = list.count;
  return list.modes;
}
