// The input-record seam on the native build: a terminal gives no console input
// records, so no key is ever waiting. Tests install a queue of their own.
#include "console/console_input_api.h"

namespace {

bool Peek(ConsoleKeyRecord*) { return false; }
bool Read(ConsoleKeyRecord*) { return false; }

}  // namespace

ConsoleInputApi g_console_input_api = {
    .peek = Peek,
    .read = Read,
    .wait = nullptr,  // a terminal gives no records to wait for
    .ready = nullptr,
};
