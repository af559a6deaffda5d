/* Asks a window to close as a window manager's close box does, by sending it
 * the WM_DELETE_WINDOW client message:
 *   x11_close WINDOW_ID | --name TITLE */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "x11_probe.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: x11_close WINDOW_ID | --name TITLE\n");
    return 2;
  }
  Display* d = ProbeOpen();
  if (d == NULL) return 2;
  Window w = strcmp(argv[1], "--name") == 0 && argc > 2 ? ProbeFindWindow(d, argv[2])
                                                        : (Window)strtoul(argv[1], NULL, 0);
  if (w == 0) {
    fprintf(stderr, "x11_close: no such window\n");
    return 1;
  }
  ProbeCloseRequest(d, w);
  XCloseDisplay(d);
  return 0;
}
