// The platform's start on the native build: a terminal needs no set-up.
#include "console/runtime_platform.h"

void PlatformRuntimeStart() {}
