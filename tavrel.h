/// \file
/// The one header a program using the Tavrel runtime includes: the run-time
/// frame, console output and input, strings, timer and random numbers, and the
/// graphics screen with its drawing, text, keys and mouse.
///
/// \mainpage Tavrel runtime
///
/// A text-console runtime and a graphics screen library for C++20 programs on
/// Windows and Linux. Include `tavrel.h` alone; link the `tavrel` library
/// (CMake: `Tavrel::tavrel`).
///
/// A program starts with RuntimeInit and ends with RuntimeEnd. Until it opens a
/// graphics screen its console calls (console/console.h, console/print.h,
/// console/input.h) act on the terminal or the Windows console; ScreenSetMode
/// (gfx/screen.h) opens a window and from then on the same calls act on it, and
/// DrawLine and DrawCircle (gfx/draw.h) draw into it.
///
/// **Threads.** Call the runtime from the program's thread only (the one that
/// called RuntimeInit), unless a declaration says otherwise; the runtime's own
/// display thread never calls the program.
///
/// **Strings.** Every RtString the runtime returns (ReadKey's, for one) is a
/// temporary that the program owns until it hands it to an operation that
/// consumes it (RtAssign, PrintString, CharCodeAt) or releases it with
/// RtRelease. There are 256; a program that keeps them all gets empty strings
/// from then on, and is told so once (console/rt_string.h).
///
/// **Errors.** Calls that can fail say so by their result and by the last error
/// code (LastErrorCode): 0 none, 1 a bad argument or state, 3 a write failure.
/// No call throws, prints or ends the process (RuntimeEnd apart), save the one
/// diagnostic line described in console/runtime.h.
///
/// **Omitted arguments.** Where an argument has a value meaning "omitted" its
/// description names it: kNoArgument for a mode argument; a negative colour,
/// row, column or visibility leaves that setting unchanged; kStyleSolid for a
/// line's style; 0 for a circle's start angle and aspect, kFullCircleMarker for
/// its end angle; kDefaultColour for the current foreground.
///
/// A first program:
/// \code
/// #include "tavrel.h"
///
/// int main(int argc, char** argv) {
///   RuntimeInit(argc, argv);
///   if (ScreenSetMode(12, 0, 1, 0, 0) != 0) {  // 640 x 480, 16 colours, a window
///     PrintCString(0, "No window can be opened here.", kPrintNewline);
///     RuntimeEnd(1);
///   }
///   DrawLine(nullptr, 20, 20, 300, 200, 14, kDrawKindBox, kStyleSolid, kStepAbsolute);
///   DrawCircle(nullptr, 160, 110, 50, 15, 0, 0, kFullCircleMarker, 0, kStepPointAbsolute);
///   Locate(1, 1, -1);
///   PrintCString(0, "Press a key", kPrintNewline);
///   WaitKey();
///   RuntimeEnd(0);
/// }
/// \endcode
#pragma once

#include "console/runtime.h"
#include "console/rt_string.h"
#include "console/console.h"
#include "console/print.h"
#include "console/input.h"
#include "console/services.h"
#include "gfx/screen.h"
#include "gfx/draw.h"
#include "gfx/text.h"
#include "gfx/input/keys.h"
