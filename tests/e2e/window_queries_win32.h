// What the window tests ask of Wine about a window and its process, as
// functions: each takes a command line as its program would (argv[0] the
// tool's name), puts the one line it answers into *out and returns the
// program's exit status. The standalone programs and the query server share
// them.
#pragma once

#include <string>

// window_query CLASS_NAME | --screensaver [VALUE]
int QueryWindowLine(int argc, char** argv, std::string* out);
// process_usage CLASS_NAME
int ProcessUsageLine(int argc, char** argv, std::string* out);
