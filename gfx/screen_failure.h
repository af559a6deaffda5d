// Why the last attempt to open a graphics screen failed: ScreenSetMode only
// returns 1 (last error 1), and a program that wants to tell its user why asks
// here. The library itself never prints the reason.
#pragma once
#include <cstdint>

// The reasons a screen could not be opened.
enum class ScreenFailure : int32_t {
  kNone = 0,               // the last screen opened, or none was asked for yet
  kNoDisplay = 1,          // there is no display to open a window on (DISPLAY not set)
  kDisplayRefused = 2,     // the display server refused the connection
  kUnsupportedScreen = 3,  // no display driver can show this kind of screen (for
                           // example flag 0x02 with no OpenGL available)
  kWindowFailed = 4,       // the display is there, but it refused the window
  kNoMemory = 5,           // not enough memory for the screen's pages and tables
};

// The reason the last ScreenSetMode call that asked for a mode from 1 to 21
// failed to open it; kNone after such a call succeeded. Closing the screen
// (mode 0) and calls refused for an unknown mode leave it unchanged.
// Any thread may ask; the value is written by ScreenSetMode on its caller's thread.
ScreenFailure ScreenFailureReason();

// A short English text for a reason, without a trailing newline or full stop
// (kNoDisplay: "no X display (is DISPLAY set?)"). The text is static: the
// caller neither frees nor keeps it beyond its use. Unknown values give "unknown".
const char* ScreenFailureText(ScreenFailure reason);
