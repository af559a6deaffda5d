// State shared between the text console's own files.
#pragma once
#include "console/console_api.h"

// The buffer information, zeroed when the console cannot give it.
ConsoleBufferInfo ReadBufferInfo();
void ConsoleResetColors();
