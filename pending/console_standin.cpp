// Temporary stand-in for the console's print column tracker.
#include "console/print.h"

namespace {
int32_t g_column = 0;
}
int32_t ConsolePrintColumn() { return g_column; }
void SetConsolePrintColumn(int32_t column) { g_column = column; }
