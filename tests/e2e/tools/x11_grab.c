/* Prints a block of the screen, read with XGetImage:
 *   x11_grab X Y W H          one line per row, RRGGBB values separated by blanks
 *   x11_grab --ppm X Y W H    a binary PPM image on standard output */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "x11_probe.h"

static void PrintText(const uint32_t* px, int w, int h) {
  for (int row = 0; row < h; ++row)
    for (int col = 0; col < w; ++col)
      printf("%06X%c", (unsigned)px[row * w + col], col + 1 < w ? ' ' : '\n');
}

static void PrintPpm(const uint32_t* px, int w, int h) {
  printf("P6\n%d %d\n255\n", w, h);
  for (int i = 0; i < w * h; ++i) {
    unsigned char rgb[3] = {(unsigned char)(px[i] >> 16), (unsigned char)(px[i] >> 8),
                            (unsigned char)px[i]};
    fwrite(rgb, 1, 3, stdout);
  }
}

int main(int argc, char** argv) {
  int ppm = argc > 1 && strcmp(argv[1], "--ppm") == 0;
  if (argc != 5 + ppm) {
    fprintf(stderr, "usage: x11_grab [--ppm] X Y W H\n");
    return 2;
  }
  int x = atoi(argv[1 + ppm]), y = atoi(argv[2 + ppm]);
  int w = atoi(argv[3 + ppm]), h = atoi(argv[4 + ppm]);
  if (w <= 0 || h <= 0 || w > 8192 || h > 8192) return 2;
  Display* d = ProbeOpen();
  uint32_t* px = malloc(sizeof *px * (size_t)w * (size_t)h);
  if (d == NULL || px == NULL || ProbeGrab(d, x, y, w, h, px) != 0) {
    fprintf(stderr, "x11_grab: cannot read the screen\n");
    return 1;
  }
  if (ppm) PrintPpm(px, w, h);
  else PrintText(px, w, h);
  free(px);
  XCloseDisplay(d);
  return 0;
}
