// The console's _kbhit and _getch, built on its input records so that they
// behave alike on Windows and under Wine: a lone key-down is seen at once, and
// extended keys come as a prefix (0 or 224) and a second code.
#pragma once
#include <cstdint>

// Non-zero when a key (or the second code of one) is waiting; never waits.
int32_t ConsoleKbhit();
// The next code, waiting for a key; -1 when the console gives no input.
int32_t ConsoleGetch();
// Drops the second code of a half-read extended key.
void ConsoleForgetPendingKey();
