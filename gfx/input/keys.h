/// \file
/// The graphics window's keys and mouse beyond ReadKey and WaitKey: the special
/// key codes that WaitKey returns in a window, the state of each key (held or
/// not), and the mouse. Call these from the program's thread only; they act on
/// the open screen, and report nothing useful while none is open.
#pragma once
#include <cstdint>

/// WaitKey's code for the window's close box (ReadKey gives 255 "X"). Codes 1
/// to 255 are characters; 256 to 276 the special keys: 256 close box, 257 Up,
/// 258 Down, 259 Left, 260 Right, 261 Insert, 262 Delete, 263 Home, 264 End,
/// 265 Page Up, 266 Page Down, 267 to 276 F1 to F10. (ReadKey gives them as 255
/// followed by the key's scan code, see KeyString.)
constexpr int32_t kKeyClose = 256;
/// The first special key code (the close box).
constexpr int32_t kKeySpecialFirst = 256;
/// The last special key code (F10).
constexpr int32_t kKeySpecialLast = 276;

/// Whether a key is held down, by its PC scan code (set 1: Escape 0x01, the
/// digits 1 to 0 0x02 to 0x0B, Enter 0x1C, Space 0x39, Left Shift 0x2A, Up 0x48,
/// Down 0x50, Left 0x4B, Right 0x4D, F1 to F10 0x3B to 0x44). The state is
/// refreshed about every 10 ms, and on an OpenGL screen at each ScreenFlip.
/// \param scan_code the scan code, 0 to 127.
/// \return -1 while the key is down, 0 when it is up, when no screen is open or
///   for a scan code outside 0 to 127.
int32_t GfxKeyIsDown(int32_t scan_code);

/// Reads the mouse: its position over the window and its buttons.
/// \param x receives the x position in pixels of the screen mode (-1 on failure); may be null.
/// \param y receives the y position in pixels (-1 on failure); may be null.
/// \param wheel receives the wheel's notch count since the screen opened, +1 per
///   notch away from the user, -1 per notch towards (-1 on failure); may be null.
/// \param buttons receives the buttons held: 1 left, 2 right, 4 middle (-1 on
///   failure); may be null.
/// \return 0, or 1 with last error code 1 when no screen is open, the window is
///   not active, or (in a window) the pointer is outside it. Success leaves the
///   last error code as it was.
int32_t GfxReadMouse(int32_t* x, int32_t* y, int32_t* wheel, int32_t* buttons);

/// Moves the mouse pointer and shows or hides it over the window.
/// \param x the new x position in pixels, clamped to the screen, or a negative
///   value to leave the pointer where it is.
/// \param y the new y position in pixels, clamped to the screen (used only
///   when x is 0 or above).
/// \param cursor on Windows a positive value shows the pointer, 0 hides it and
///   a negative value leaves it; the X11 window on Linux ignores it.
/// \return 0, or 1 with last error code 1 when no screen is open.
int32_t GfxSetMouse(int32_t x, int32_t y, int32_t cursor);
