// What the soak asks of Wine about the game's process, as a function: it
// takes a command line as its program would (argv[0] the tool's name), puts
// the one line it answers into *out and returns the program's exit status.
// The standalone process_usage program and the query server share it.
#pragma once

#include <string>

// process_usage CLASS_NAME
int ProcessUsageLine(int argc, char** argv, std::string* out);
