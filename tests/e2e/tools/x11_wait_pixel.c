/* Polls one screen pixel (a 1x1 XGetImage every half millisecond) until it has
 * the wanted colour, and prints how long that took:
 *   x11_wait_pixel X Y RRGGBB TIMEOUT_MS
 * Exit status 0 when the colour was seen, 1 on time-out. */
#define _POSIX_C_SOURCE 200809L
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include "x11_probe.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    fprintf(stderr, "usage: x11_wait_pixel X Y RRGGBB TIMEOUT_MS\n");
    return 2;
  }
  int x = atoi(argv[1]), y = atoi(argv[2]);
  uint32_t want = (uint32_t)strtoul(argv[3], NULL, 16);
  int64_t limit = atoll(argv[4]) * 1000000;
  Display* d = ProbeOpen();
  if (d == NULL) return 2;
  int64_t start = ProbeNowNs();
  struct timespec half = {0, 500000};
  uint32_t seen;
  while ((seen = ProbePixel(d, x, y)) != want) {
    if (ProbeNowNs() - start > limit) {
      printf("timeout %06X\n", (unsigned)seen);
      return 1;
    }
    nanosleep(&half, NULL);
  }
  printf("%.3f ms\n", (double)(ProbeNowNs() - start) / 1e6);
  XCloseDisplay(d);
  return 0;
}
