// The DirectX driver's keyboard: the system keyboard through DirectInput, read
// once a pass into the screen's key-state bytes.
#include <cstring>

#include "gfx/drivers/dx_objects_win32.h"
#include "gfx/input/keys.h"
#include "gfx/screen.h"

namespace {

// The standard keyboard format: one optional button per DirectInput key code,
// reported at the byte of the same number.
void BuildKeyboardFormat() {
  for (DWORD i = 0; i < 256; ++i) {
    DIOBJECTDATAFORMAT& o = g_dx.key_objects[i];
    o.pguid = &kGuidKey;
    o.dwOfs = i;
    o.dwType = DIDFT_BUTTON | DIDFT_OPTIONAL | (i << 8);
    o.dwFlags = 0;
  }
  DIDATAFORMAT& f = g_dx.keyboard_format;
  // The structures' real sizes: DirectInput refuses the 32-bit ones on x86-64.
  f.dwSize = sizeof(DIDATAFORMAT);
  f.dwObjSize = sizeof(DIOBJECTDATAFORMAT);
  f.dwFlags = DIDF_RELAXIS;
  f.dwDataSize = 256;
  f.dwNumObjs = 256;
  f.rgodf = g_dx.key_objects;
}

}  // namespace

bool DxOpenKeyboard() {
  BuildKeyboardFormat();
  if (FAILED(g_dx.dinput->CreateDevice(kGuidSysKeyboard, &g_dx.keyboard, nullptr))) {
    g_dx.keyboard = nullptr;
    return false;
  }
  if (FAILED(g_dx.keyboard->SetDataFormat(&g_dx.keyboard_format))) return false;
  return SUCCEEDED(g_dx.keyboard->Acquire());
}

// A lost or unacquired device is acquired again; key_state keeps its values
// until a read succeeds.
void DxReadKeyboard() {
  if (!g_dx.keyboard || !g_screen || !g_screen->key_state) return;
  uint8_t device[256];
  const HRESULT hr = g_dx.keyboard->GetDeviceState(sizeof device, device);
  if (hr == DIERR_INPUTLOST || hr == DIERR_NOTACQUIRED) {
    g_dx.keyboard->Acquire();
    return;
  }
  if (SUCCEEDED(hr)) RefreshKeyStateFromDevice(device, g_screen->key_state);
}

void DxCloseKeyboard() {
  if (g_dx.keyboard) g_dx.keyboard->Unacquire();
  DxRelease(g_dx.keyboard);
  DxRelease(g_dx.dinput);
}
