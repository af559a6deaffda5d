// Elsewhere standard error is the only place a runtime diagnostic goes.
#include "console/runtime_internal.h"

void PlatformDebugOutput(const char*) {}
