// A model of the DirectX display's fullscreen switch, to tell which part of it
// makes a process grow: each cycle makes and frees what one Alt+Enter makes and
// frees (libraries, DirectDraw and DirectInput objects, window, surfaces,
// keyboard device), either with bare Win32 and DirectX calls or through the
// runtime's own driver (Alt+Enter posted to its window). After every cycle it
// prints the memory Wine reports for the process and the display's size.
//   dx_cycle CYCLES [runtime] [window|fullscreen|toggle] [keep-ddraw] [keep-dinput]
//            [no-ddraw] [no-dinput] [no-window] [frames] [ask]
// prints "cycle N anon_kb A rss_kb R handles H registry_keys K display WxH mode WxH"
// per cycle (the screen's metrics, then the mode Windows reports).
#include <windows.h>
#include <psapi.h>

#define DIRECTINPUT_VERSION 0x0300
#include <ddraw.h>
#include <dinput.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "gfx/screen.h"
#include "handle_count_win32.h"

namespace {

constexpr GUID kIidDirectDraw2 = {
    0xB3A6F3E0, 0x2B43, 0x11CF, {0xA2, 0xDE, 0x00, 0xAA, 0x00, 0xB9, 0x33, 0x56}};
constexpr GUID kGuidSysKeyboard = {
    0x6F1D2B61, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
constexpr GUID kGuidKey = {
    0x55728220, 0xD33C, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
constexpr char kModelClass[] = "dx_cycle_model";

struct Options {
  int cycles = 10;
  bool runtime = false;
  std::string mode = "toggle";
  bool keep_ddraw = false, keep_dinput = false;
  bool ddraw = true, dinput = true, window = true, frames = false, ask = false;
};

Options ReadOptions(int argc, char** argv) {
  Options o;
  if (argc > 1) o.cycles = std::atoi(argv[1]);
  for (int i = 2; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "runtime") o.runtime = true;
    else if (a == "window" || a == "fullscreen" || a == "toggle") o.mode = a;
    else if (a == "keep-ddraw") o.keep_ddraw = true;
    else if (a == "keep-dinput") o.keep_dinput = true;
    else if (a == "no-ddraw") o.ddraw = false;
    else if (a == "no-dinput") o.dinput = false;
    else if (a == "no-window") o.window = false;
    else if (a == "frames") o.frames = true;
    else if (a == "ask") o.ask = true;
  }
  return o;
}

// Wine answers the own process's memory from /proc/self/status (the
// anonymous resident memory as the page-file usage); files opened through Wine
// are opened by its server, so /proc/self is no way to ask. With `ask` the
// model waits for a line on standard input after each sample, so that a
// sampler outside can read the process's /proc figures at that moment.
void PrintSample(int cycle, bool ask) {
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                       sizeof memory);
  const HandleCounts handles = ListedHandles(GetCurrentProcessId());
  DEVMODEA mode = {};
  mode.dmSize = sizeof mode;
  EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
  std::printf("cycle %d anon_kb %llu rss_kb %llu handles %lu registry_keys %lu display %dx%d mode %lux%lu\n",
              cycle, static_cast<unsigned long long>(memory.PagefileUsage / 1024),
              static_cast<unsigned long long>(memory.WorkingSetSize / 1024), handles.all,
              handles.registry_keys, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
              mode.dmPelsWidth, mode.dmPelsHeight);
  std::fflush(stdout);
  if (!ask) return;
  char line[16];
  std::fgets(line, sizeof line, stdin);
}

void Pump(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(5);
  } while (static_cast<LONG>(GetTickCount() - end) < 0);
}

// ---- the bare model: the driver's calls, in its order ----

using DirectDrawCreateFn = HRESULT(WINAPI*)(GUID*, IDirectDraw**, IUnknown*);
using DirectInputCreateFn = HRESULT(WINAPI*)(HINSTANCE, DWORD, IDirectInputA**, IUnknown*);

struct Model {
  HMODULE ddraw_module = nullptr, dinput_module = nullptr;
  IDirectDraw2* ddraw = nullptr;
  IDirectDrawSurface *primary = nullptr, *back = nullptr;
  IDirectDrawClipper* clipper = nullptr;
  IDirectDrawPalette* palette = nullptr;
  IDirectInputA* dinput = nullptr;
  IDirectInputDeviceA* keyboard = nullptr;
  HWND window = nullptr;
  bool fullscreen = false;
  DIOBJECTDATAFORMAT objects[256];
  DIDATAFORMAT format;
};

template <typename T>
void Release(T*& object) {
  if (object) object->Release();
  object = nullptr;
}

template <typename Fn>
Fn Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

DDSURFACEDESC SurfaceDesc(DWORD flags, DWORD caps) {
  DDSURFACEDESC desc;
  std::memset(&desc, 0, sizeof desc);
  desc.dwSize = sizeof desc;
  desc.dwFlags = flags;
  desc.ddsCaps.dwCaps = caps;
  return desc;
}

void CreateModelWindow(Model& m) {
  if (m.fullscreen) {
    m.window = CreateWindowExA(0, kModelClass, "dx_cycle", WS_POPUP | WS_VISIBLE, 0, 0,
                               GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    return;
  }
  const DWORD style = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  RECT r{0, 0, 640, 480};
  AdjustWindowRect(&r, style & ~WS_VISIBLE, FALSE);
  m.window = CreateWindowExA(0, kModelClass, "dx_cycle", style, 100, 100, r.right - r.left,
                             r.bottom - r.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void CreateDisplay(Model& m) {
  if (m.fullscreen) {
    m.ddraw->SetCooperativeLevel(m.window, DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE);
    m.ddraw->SetDisplayMode(640, 480, 8, 0, 0);
  } else {
    m.ddraw->SetCooperativeLevel(m.window, DDSCL_NORMAL);
    m.ddraw->CreateClipper(0, &m.clipper, nullptr);
    if (m.clipper) m.clipper->SetHWnd(0, m.window);
  }
  DDSURFACEDESC desc = SurfaceDesc(DDSD_CAPS, DDSCAPS_PRIMARYSURFACE);
  if (FAILED(m.ddraw->CreateSurface(&desc, &m.primary, nullptr))) m.primary = nullptr;
  if (!m.primary) return;
  if (m.fullscreen) {
    PALETTEENTRY entries[256] = {};
    if (SUCCEEDED(m.ddraw->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &m.palette, nullptr)))
      m.primary->SetPalette(m.palette);
    return;
  }
  m.primary->SetClipper(m.clipper);
  DDSURFACEDESC back = SurfaceDesc(DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT, DDSCAPS_VIDEOMEMORY);
  back.dwWidth = 640;
  back.dwHeight = 480;
  if (FAILED(m.ddraw->CreateSurface(&back, &m.back, nullptr))) m.back = nullptr;
}

void OpenKeyboard(Model& m) {
  for (DWORD i = 0; i < 256; ++i) {
    m.objects[i] = DIOBJECTDATAFORMAT{&kGuidKey, i, DIDFT_BUTTON | DIDFT_OPTIONAL | (i << 8), 0};
  }
  m.format = DIDATAFORMAT{sizeof(DIDATAFORMAT), sizeof(DIOBJECTDATAFORMAT), DIDF_RELAXIS, 256, 256, m.objects};
  if (FAILED(m.dinput->CreateDevice(kGuidSysKeyboard, &m.keyboard, nullptr))) m.keyboard = nullptr;
  if (!m.keyboard) return;
  m.keyboard->SetDataFormat(&m.format);
  m.keyboard->Acquire();
}

void DrawFrames(Model& m) {
  IDirectDrawSurface* target = m.fullscreen ? m.primary : m.back;
  for (int i = 0; i < 10 && target; ++i) {
    DDSURFACEDESC desc = SurfaceDesc(0, 0);
    if (SUCCEEDED(target->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr))) {
      std::memset(desc.lpSurface, i, static_cast<size_t>(desc.lPitch) * 16);
      target->Unlock(nullptr);
    }
    if (!m.fullscreen && m.primary) {
      POINT origin{0, 0};
      ClientToScreen(m.window, &origin);
      RECT to{origin.x, origin.y, origin.x + 640, origin.y + 480}, from{0, 0, 640, 480};
      m.primary->Blt(&to, m.back, &from, DDBLT_WAIT, nullptr);
    }
    if (m.keyboard) {
      BYTE state[256];
      m.keyboard->GetDeviceState(sizeof state, state);
    }
    Pump(10);
  }
}

void OpenCycle(Model& m, const Options& o) {
  if (o.ddraw && !m.ddraw_module) m.ddraw_module = LoadLibraryA("ddraw.dll");
  if (o.dinput && !m.dinput_module) m.dinput_module = LoadLibraryA("dinput.dll");
  if (m.ddraw_module) {
    IDirectDraw* first = nullptr;
    auto create = Lookup<DirectDrawCreateFn>(m.ddraw_module, "DirectDrawCreate");
    if (create && SUCCEEDED(create(nullptr, &first, nullptr)) && first) {
      first->QueryInterface(kIidDirectDraw2, reinterpret_cast<void**>(&m.ddraw));
      first->Release();
    }
  }
  if (m.dinput_module) {
    auto create = Lookup<DirectInputCreateFn>(m.dinput_module, "DirectInputCreateA");
    if (create && FAILED(create(GetModuleHandleA(nullptr), 0x0300, &m.dinput, nullptr))) m.dinput = nullptr;
  }
  if (o.window) CreateModelWindow(m);
  if (m.ddraw && m.window) CreateDisplay(m);
  if (m.dinput) OpenKeyboard(m);
  if (o.frames) DrawFrames(m);
}

void CloseCycle(Model& m, const Options& o) {
  if (m.keyboard) m.keyboard->Unacquire();
  Release(m.keyboard);
  Release(m.dinput);
  Release(m.back);
  Release(m.palette);
  Release(m.primary);
  Release(m.clipper);
  if (m.ddraw && m.fullscreen) {
    m.ddraw->RestoreDisplayMode();
    m.ddraw->SetCooperativeLevel(m.window, DDSCL_NORMAL);
  }
  Release(m.ddraw);
  if (m.fullscreen) ChangeDisplaySettingsA(nullptr, 0);
  if (m.window) DestroyWindow(m.window);
  m.window = nullptr;
  if (m.ddraw_module && !o.keep_ddraw) {
    FreeLibrary(m.ddraw_module);
    m.ddraw_module = nullptr;
  }
  if (m.dinput_module && !o.keep_dinput) {
    FreeLibrary(m.dinput_module);
    m.dinput_module = nullptr;
  }
}

bool FullscreenOfCycle(const Options& o, int cycle) {
  if (o.mode == "window") return false;
  if (o.mode == "fullscreen") return true;
  return cycle % 2 == 1;
}

int RunBare(const Options& o) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kModelClass;
  RegisterClassA(&wc);
  Model m;
  for (int cycle = 0; cycle <= o.cycles; ++cycle) {
    m.fullscreen = FullscreenOfCycle(o, cycle);
    OpenCycle(m, o);
    Pump(50);
    CloseCycle(m, o);
    Pump(20);
    PrintSample(cycle, o.ask);
  }
  return 0;
}

// ---- through the runtime: its own window, switched as a player's Alt+Enter does ----

struct Found {
  HWND window = nullptr;
};

BOOL CALLBACK FindOwnWindow(HWND window, LPARAM context) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (pid == GetCurrentProcessId() && std::strncmp(name, "kvgfxclass_", 11) == 0 && IsWindowVisible(window)) {
    reinterpret_cast<Found*>(context)->window = window;
    return FALSE;
  }
  return TRUE;
}

HWND RuntimeWindow() {
  Found found;
  EnumWindows(FindOwnWindow, reinterpret_cast<LPARAM>(&found));
  return found.window;
}

bool IsPopup(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_POPUP) != 0; }

// Waits until the runtime's window is another one of the wanted kind.
HWND WaitSwitched(HWND before, bool popup) {
  for (int i = 0; i < 1000; ++i) {
    HWND now = RuntimeWindow();
    if (now && now != before && IsPopup(now) == popup &&
        (!popup || GetSystemMetrics(SM_CXSCREEN) == 640))
      return now;
    Sleep(10);
  }
  return nullptr;
}

int RunRuntime(const Options& o) {
  if (ScreenSetMode(12, 8, 0, 0, 0) != 0) {
    std::fprintf(stderr, "dx_cycle: no screen\n");
    return 1;
  }
  HWND window = RuntimeWindow();
  if (!window || IsPopup(window)) {
    std::fprintf(stderr, "dx_cycle: no DirectX window\n");
    return 1;
  }
  PrintSample(0, o.ask);
  for (int cycle = 1; cycle <= o.cycles; ++cycle) {
    PostMessageA(window, WM_SYSKEYDOWN, VK_RETURN, 1 << 29);
    window = WaitSwitched(window, cycle % 2 == 1);
    if (!window) {
      std::fprintf(stderr, "dx_cycle: no switch at cycle %d\n", cycle);
      return 1;
    }
    Sleep(200);
    PrintSample(cycle, o.ask);
  }
  ScreenSetMode(0, 0, 0, 0, 0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const Options o = ReadOptions(argc, argv);
  return o.runtime ? RunRuntime(o) : RunBare(o);
}
