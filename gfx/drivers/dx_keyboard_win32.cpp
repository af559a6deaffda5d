// The DirectX driver's keyboard: the system keyboard through DirectInput, read
// once a pass into the screen's key-state bytes.
// It is acquired only once the program first asks for a key's state. While a
// DirectInput keyboard is acquired, Wine sends every key through a low-level
// hook in a thread of its own before the window sees it, which put about
// 10 ms on the slowest key-to-picture times of the game, a program that reads
// its keys from the queue and never asks. A key already held when the program
// first asks shows from its next press or repeat.
#include <cstring>

#include "gfx/drivers/dx_objects_win32.h"
#include "gfx/input/keys_internal.h"
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
  // A keyboard that cannot be acquired sends the program to GDI, asked or not.
  if (FAILED(g_dx.keyboard->Acquire())) return false;
  if (!KeyStateAsked()) g_dx.keyboard->Unacquire();
  return true;
}

// A lost or unacquired device (as it is until the program first asks) is
// acquired again; key_state keeps its values until a read succeeds.
void DxReadKeyboard() {
  if (!g_dx.keyboard || !g_screen || !g_screen->key_state || !KeyStateAsked()) return;
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
