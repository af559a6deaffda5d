// A process's handles from the system's handle list, which Wine fills while it
// answers 0 to GetProcessHandleCount for any process.
#pragma once

#include <windows.h>

struct HandleCounts {
  ULONG all = 0;
  ULONG registry_keys = 0;  // Wine 8 leaks three with every display mode change
};

// The handles the system lists for pid (all zero when the list cannot be had);
// their kinds are told only when the process lets its handles be duplicated.
HandleCounts ListedHandles(DWORD pid);
