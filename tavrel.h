// The one header a program using the Tavrel runtime includes: the run-time
// frame, console output and input, strings, timer and random numbers, and the
// graphics screen with its drawing, text and keys.
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
