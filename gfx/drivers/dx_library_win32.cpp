// Loading DirectDraw and DirectInput at run time, so that the program starts on
// systems without them and the mode switch falls back to GDI.
#include "gfx/drivers/dx_objects_win32.h"
#include "gfx/window/window_state_win32.h"

DxObjects g_dx;

namespace {

using DirectDrawCreateFn = HRESULT(WINAPI*)(GUID*, IDirectDraw**, IUnknown*);
using DirectInputCreateFn = HRESULT(WINAPI*)(HINSTANCE, DWORD, IDirectInputA**, IUnknown*);

DirectInputCreateFn g_direct_input_create = nullptr;

// GetProcAddress hands back a generic pointer; the cast through void keeps
// compilers quiet about the change of signature.
template <typename Fn>
Fn Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

bool DxLoadLibraries() {
  g_dx.ddraw_module = LoadLibraryA("ddraw.dll");
  if (!g_dx.ddraw_module) return false;
  g_dx.dinput_module = LoadLibraryA("dinput.dll");
  if (!g_dx.dinput_module) return false;
  if (!Lookup<DirectDrawCreateFn>(g_dx.ddraw_module, "DirectDrawCreate")) return false;
  g_direct_input_create = Lookup<DirectInputCreateFn>(g_dx.dinput_module, "DirectInputCreateA");
  return g_direct_input_create != nullptr;
}

void DxFreeLibraries() {
  if (g_dx.ddraw_module) FreeLibrary(g_dx.ddraw_module);
  if (g_dx.dinput_module) FreeLibrary(g_dx.dinput_module);
  g_dx.ddraw_module = nullptr;
  g_dx.dinput_module = nullptr;
  g_direct_input_create = nullptr;
}

IDirectDraw2* DxCreateDirectDraw(HMODULE ddraw_module) {
  auto create = Lookup<DirectDrawCreateFn>(ddraw_module, "DirectDrawCreate");
  IDirectDraw* first = nullptr;
  if (!create || FAILED(create(nullptr, &first, nullptr)) || !first) return nullptr;
  IDirectDraw2* second = nullptr;
  if (FAILED(first->QueryInterface(kIidDirectDraw2, reinterpret_cast<void**>(&second)))) {
    second = nullptr;
  }
  first->Release();
  return second;
}

IDirectDraw2* DxAcquireRunningDirectDraw(HMODULE* module) {
  *module = nullptr;
  if (!g_lock_ready) return nullptr;
  WindowLock();
  // Taken while the driver's own reference is sure to hold the library, so
  // this one only counts up.
  IDirectDraw2* ddraw = g_dx.ddraw;
  if (ddraw) *module = LoadLibraryA("ddraw.dll");
  if (*module) {
    ddraw->AddRef();
  } else {
    ddraw = nullptr;
  }
  WindowUnlock();
  return ddraw;
}

bool DxCreateDirectInput() {
  if (!g_direct_input_create) return false;
  HRESULT hr = g_direct_input_create(g_window.instance, 0x0300, &g_dx.dinput, nullptr);
  if (FAILED(hr)) g_dx.dinput = nullptr;
  return g_dx.dinput != nullptr;
}
