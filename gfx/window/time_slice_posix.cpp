// Giving up the time slice on the native build.
#include <thread>

#include "gfx/window/time_slice.h"

void YieldTimeSlice() { std::this_thread::yield(); }
