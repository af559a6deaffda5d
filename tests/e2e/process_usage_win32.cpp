// What the process owning a window holds, for the soak tests' leak check:
// finds the window by class name, opens its process and prints one line
// "handles N registry_keys K private_bytes M windows_pid P". Exit status 1,
// with the reason printed, when there is no such window or its process cannot
// be read.
//   process_usage CLASS_NAME
//
// Wine 8 answers 0 for another process's handle count and private usage. It
// does list every process's handles (counted here, with the registry keys among
// them apart: Wine's display settings leak three keys with every mode change,
// which a fullscreen switch makes by design) and fill the pagefile
// usage, which Windows defines as the same figure as the private usage. Those
// stand in where the direct answers are 0.
#include <cstdio>

#include "window_queries_win32.h"

int main(int argc, char** argv) {
  std::string out;
  const int status = ProcessUsageLine(argc, argv, &out);
  std::fputs(out.c_str(), status == 2 ? stderr : stdout);
  return status;
}
