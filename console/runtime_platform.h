// The platform's part of the program start: what the Windows build must set up
// on the process's console before the first statement.
#pragma once

// Called once by RuntimeInit, after the standard handles are fetched.
void PlatformRuntimeStart();
