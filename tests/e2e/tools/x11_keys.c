/* Sends key presses to the X server through XTest, as a keyboard would:
 *   x11_keys [-d DELAY_MS] KEY...     KEY as "1", "Return", "alt+Return"
 * The keys go to the window that has the focus (or lies under the pointer). */
#define _POSIX_C_SOURCE 200809L
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include "x11_probe.h"

static void SleepMs(long ms) {
  struct timespec t = {ms / 1000, (ms % 1000) * 1000000L};
  nanosleep(&t, NULL);
}

int main(int argc, char** argv) {
  long delay = 0;
  int first = 1;
  if (argc > 2 && strcmp(argv[1], "-d") == 0) {
    delay = atol(argv[2]);
    first = 3;
  }
  Display* d = ProbeOpen();
  if (d == NULL) {
    fprintf(stderr, "x11_keys: cannot open the display with XTest\n");
    return 2;
  }
  for (int i = first; i < argc; ++i) {
    if (ProbeKey(d, argv[i]) != 0) {
      fprintf(stderr, "x11_keys: unknown key '%s'\n", argv[i]);
      return 1;
    }
    if (delay > 0) SleepMs(delay);
  }
  XCloseDisplay(d);
  return 0;
}
