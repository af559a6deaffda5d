/// \file
/// Why the last attempt to open a graphics screen failed: ScreenSetMode only
/// returns 1 (last error 1), and a program that wants to tell its user why asks
/// here. The library itself never prints the reason.
#pragma once
#include <cstdint>

/// The reasons a screen could not be opened.
enum class ScreenFailure : int32_t {
  kNone = 0,               ///< The last screen opened, or none was asked for yet.
  kNoDisplay = 1,          ///< There is no display to open a window on (DISPLAY not set).
  kDisplayRefused = 2,     ///< The display server refused the connection.
  kUnsupportedScreen = 3,  ///< No display driver can show this kind of screen (for
                           ///< example flag 0x02 with no OpenGL available).
  kWindowFailed = 4,       ///< The display is there, but it refused the window.
  kNoMemory = 5,           ///< Not enough memory for the screen's pages and tables.
};

/// Why the last ScreenSetMode call that asked for a mode from 1 to 21 failed to
/// open it. Closing the screen (mode 0) and calls refused for an unknown mode
/// leave it unchanged.
/// \return the reason; ScreenFailure::kNone after such a call succeeded. Sets no
///   last error code.
/// Any thread may ask; the value is written by ScreenSetMode on its caller's thread.
ScreenFailure ScreenFailureReason();

/// A short English text for a reason, without a trailing newline or full stop
/// (kNoDisplay: "no X display (is DISPLAY set?)").
/// \param reason a value ScreenFailureReason returned.
/// \return a static text: the caller neither frees nor changes it; "unknown"
///   for a value that is no reason. Sets no last error code. Any thread.
const char* ScreenFailureText(ScreenFailure reason);
