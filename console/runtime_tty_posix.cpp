// The platform's start on a Unix terminal: raw key input, with the terminal's
// settings put back on every way out.
#include "console/runtime_platform.h"
#include "console/terminal_tty.h"

void PlatformRuntimeStart() { TerminalTtyStart(); }
