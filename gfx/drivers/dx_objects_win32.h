// The "DirectX" driver's private objects and the pieces its files share. The
// interface identifiers are the program's own constants, so nothing links the
// SDK's GUID library; both DLLs are loaded at run time.
#pragma once
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#define DIRECTINPUT_VERSION 0x0300
#include <ddraw.h>
#include <dinput.h>

#include <cstdint>

inline constexpr GUID kIidDirectDraw2 = {
    0xB3A6F3E0, 0x2B43, 0x11CF, {0xA2, 0xDE, 0x00, 0xAA, 0x00, 0xB9, 0x33, 0x56}};
inline constexpr GUID kGuidSysKeyboard = {
    0x6F1D2B61, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
inline constexpr GUID kGuidKey = {
    0x55728220, 0xD33C, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

struct DxObjects {
  HMODULE ddraw_module;
  HMODULE dinput_module;
  IDirectDraw2* ddraw;
  IDirectDrawSurface* primary;
  IDirectDrawSurface* back;  // the off-screen surface windowed, the primary fullscreen
  IDirectDrawClipper* clipper;
  IDirectDrawPalette* dd_palette;
  IDirectInputA* dinput;
  IDirectInputDeviceA* keyboard;
  RECT source_rect;
  int32_t y_offset;
  int32_t mode_height;  // the fullscreen display's height (the popup's)
  DIOBJECTDATAFORMAT key_objects[256];
  DIDATAFORMAT keyboard_format;
  // Presenting an unchanged surface costs a great deal on some systems (a
  // whole core under Wine), so the window is presented only when this is set:
  // rows were converted, the palette changed, or the window moved.
  bool present_due;
  // The primary's format when the surfaces were made, which the blitter suits.
  DDPIXELFORMAT primary_format;
  // The surfaces no longer suit the display and are to be made anew; after a
  // failed attempt the next waits until rebuild_tick plus a short interval.
  bool rebuild_due;
  bool rebuild_tried;
  DWORD rebuild_tick;
  bool wrong_mode_for_tests;  // see DxLosePrimaryForTests
  POINT presented_at;  // the client origin on screen at the last present
  // The display's mode before fullscreen took it over, restored by name on
  // the way out. RestoreDisplayMode and ChangeDisplaySettings(NULL) go back to
  // the registry's mode, and Wine was seen to lose that in a soak ("Failed to
  // read the registry display mode" at every exit from then on), which left
  // the display at the game's mode.
  DEVMODEA desktop_mode;
  bool desktop_mode_saved;
};

// Only the update thread touches these, under the display lock, except where a
// function says otherwise.
extern DxObjects g_dx;

// Both libraries and their entry points; false when either is missing.
bool DxLoadLibraries();
void DxFreeLibraries();
// A DirectDraw object of the default device, queried for IDirectDraw2. Null on
// any failure (the first object is released in every case).
IDirectDraw2* DxCreateDirectDraw(HMODULE ddraw_module);
// The running driver's DirectDraw object with a reference of the caller's own,
// or null; safe from any thread. *module receives a reference to ddraw.dll of
// the caller's own too (null with a null result): a fullscreen switch meanwhile
// frees the driver's, and the object's code must stay loaded until the caller
// has released it. Release the object first, then FreeLibrary the module.
IDirectDraw2* DxAcquireRunningDirectDraw(HMODULE* module);
// DirectInput's object for the program's instance.
bool DxCreateDirectInput();

// Fullscreen: sets the display mode (searching as the display allows) and
// stores y_offset. False when no mode was taken.
bool DxSetFullscreenMode();
// Fullscreen and active: puts the popup back over the mode it set if anything
// has moved or resized it since.
void DxKeepPopupFitted();

// The window, the surfaces, the palette and the blitter; false on any failure.
bool DxCreateFullscreenWindow();
bool DxCreateWindowedWindow();
bool DxCreateSurfaces();
void DxReleaseSurfaces();
// The surfaces as the display needs them now, checked at the start of every
// pass that shows the picture: lost ones restored; all of them made anew for
// the display as it is when they cannot be restored (made for another display
// mode), when the primary's format changed, or when the desktop's mode changed
// under the window. False while they are unusable (the pass shows nothing and
// the dirty flags wait); a rebuild that failed is tried again on a later pass.
// After either, every row is marked dirty: the surfaces' picture is gone.
bool DxSurfacesReady();
// Tests: the surfaces behave as Windows' do once the display's mode has
// changed under them (the primary lost, Restore answering DDERR_WRONGMODE,
// Lock failing) until they are made anew.
void DxLosePrimaryForTests();
// The clipper of a windowed display, bound to the window.
bool DxCreateClipper();
void DxApplyPalette();
// Converts the dirty rows into the back surface; true when any was converted.
bool DxConvertDirtyRows();
// The back surface made anew at the window's current size (after a change of
// scale); false when it could not be made.
bool DxRecreateBackSurface();

// A scaled window (dx_scale_win32.cpp): the dirty rows first..last are
// converted into a staging picture of the framebuffer's size and widened from
// there into the locked back surface, each pixel a solid block. Scaling in
// software keeps the picture sharp on every system: a stretching Blt may
// filter. The staging picture lives until DxFreeStage.
void DxConvertScaled(const DDSURFACEDESC& locked, int32_t first, int32_t last);
void DxFreeStage();
// The driver's rescale routine: the back surface at the new scale, presented
// whole at the next pass.
void DxRescale();

// The DirectInput keyboard: created, formatted and acquired; read every pass.
bool DxOpenKeyboard();
void DxReadKeyboard();
void DxCloseKeyboard();

// The steps of creating the display, in order. Tests make one of them fail to
// prove that every failure leaves nothing behind and GDI takes over, and that
// surfaces that could not be made anew are tried again.
enum class DxStep { kNone, kLibraries, kDirectDraw, kDirectInput, kWindow, kSurfaces, kKeyboard };
void DxFailStepForTests(DxStep step);
// Runs one step, unless a test has made it fail.
bool DxRunStep(DxStep step, bool (*run)());

// Releases a COM object and forgets it.
template <typename T>
void DxRelease(T*& object) {
  if (object) object->Release();
  object = nullptr;
}
