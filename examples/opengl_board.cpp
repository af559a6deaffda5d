// Example: drawing with OpenGL through the Tavrel runtime.
//
// The runtime opens the window and the OpenGL context for you when a screen is
// set with flag 0x02; from then on you draw with ordinary OpenGL calls and show
// each finished frame with ScreenFlip(). ScreenFlip() is also where the window
// hears about keys, the close box and Alt+Enter (which switches to fullscreen
// and back), so a program must call it regularly.
//
// This program draws the game's board (a grid of white lines) and its king (a
// white circle). Keys "1", "2" and "3" move the king left, down and diagonally
// down-left; moves off the board are ignored. Escape ends the program.
//
// With the argument --unpaced it presents as fast as it can instead of once per
// display retrace; either way it prints the frames per second once a second.
#ifdef _WIN32
#include <windows.h>  // Windows' GL/gl.h needs its calling-convention macros
#endif
#include <GL/gl.h>

#include <cstdio>
#include <cstring>

#include "tavrel.h"

namespace {

constexpr int kScreenMode = 18;        // 640 x 480
constexpr int kColourBits = 32;
constexpr int kOpenGlScreen = 0x02;    // the flag that asks for an OpenGL screen
constexpr int kBoardLeft = 20, kBoardTop = 20, kCell = 40, kSquares = 8;
constexpr int kKingRadius = 10;

struct King {
  int col = kSquares;  // 1 is the left column
  int row = kSquares;  // 1 is the bottom row
};

// One pixel, the same one the runtime's own drawing would set: a point at
// the pixel's centre covers exactly that pixel.
void Pixel(int x, int y) { glVertex2f(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f); }

// The 9 vertical and 9 horizontal lines, both ends included, as one-pixel-wide
// rectangles so that no line is shifted by the rasteriser's rounding.
void DrawGrid() {
  constexpr int kFar = kBoardLeft + kSquares * kCell;
  for (int i = 0; i <= kSquares; ++i) {
    const float at = static_cast<float>(kBoardLeft + i * kCell);
    glRectf(at, kBoardTop, at + 1.0f, kFar + 1.0f);  // vertical
    glRectf(kBoardLeft, at, kFar + 1.0f, at + 1.0f);  // horizontal
  }
}

// Midpoint circle: the eight symmetric points of each step.
void DrawCircle(int cx, int cy, int radius) {
  glBegin(GL_POINTS);
  int x = radius, y = 0, error = 1 - radius;
  while (x >= y) {
    const int dx[] = {x, y, -y, -x, -x, -y, y, x}, dy[] = {y, x, x, y, -y, -x, -x, -y};
    for (int i = 0; i < 8; ++i) Pixel(cx + dx[i], cy + dy[i]);
    ++y;
    if (error < 0) {
      error += 2 * y + 1;
    } else {
      --x;
      error += 2 * (y - x) + 1;
    }
  }
  glEnd();
}

// The centre of a square: column 1 is on the left, row 1 at the bottom.
void DrawKing(const King& king) {
  const int cx = kBoardLeft + king.col * kCell - kCell / 2;
  const int cy = kBoardTop + (kSquares - king.row) * kCell + kCell / 2;
  DrawCircle(cx, cy, kKingRadius);
}

void DrawFrame(const King& king) {
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3f(1.0f, 1.0f, 1.0f);
  DrawGrid();
  DrawKing(king);
}

// Pixel coordinates: (0, 0) is the top-left corner, y grows downwards.
void SetUpView() {
  glViewport(0, 0, 640, 480);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, 640.0, 480.0, 0.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
}

// Applies one key; returns false on Escape.
bool HandleKey(const RtString* key, King* king) {
  if (RtLength(key) == 0) return true;
  const char c = key->data[0];
  if (c == 27) return false;
  if (RtLength(key) != 1) return true;  // extended keys and the close box: ignored
  const bool left = c == '1' || c == '3', down = c == '2' || c == '3';
  if (!left && !down) return true;
  if ((left && king->col == 1) || (down && king->row == 1)) return true;  // off the board
  if (left) --king->col;
  if (down) --king->row;
  return true;
}

// Once a second: how many frames were presented. TimerSeconds is the
// runtime's clock, in seconds.
void ShowFrameRate(double* since, int* frames) {
  ++*frames;
  const double now = TimerSeconds();
  if (now - *since < 1.0) return;
  std::printf("frames per second: %d\n", static_cast<int>(*frames / (now - *since)));
  std::fflush(stdout);
  *since = now;
  *frames = 0;
}

}  // namespace

int main(int argc, char** argv) {
  RuntimeInit(argc, argv);
  const bool paced = !(argc > 1 && std::strcmp(argv[1], "--unpaced") == 0);
  // Mode, colour bits, pages, flags (0x02: OpenGL), refresh rate (0: any).
  if (ScreenSetMode(kScreenMode, kColourBits, 1, kOpenGlScreen, 0) != 0) {
    std::fprintf(stderr, "opengl_board: no OpenGL screen could be opened: %s\n",
                 ScreenFailureText(ScreenFailureReason()));
    RuntimeEnd(1);
  }
  SetUpView();
  King king;
  double since = TimerSeconds();
  int frames = 0;
  for (bool running = true; running;) {
    DrawFrame(king);
    ScreenFlip();               // show the frame, handle the window's messages
    RtString* key = ReadKey();  // empty when no key is waiting
    running = HandleKey(key, &king);
    RtRelease(key);
    ShowFrameRate(&since, &frames);
    if (paced) ScreenWaitVsync();
  }
  RuntimeEnd(0);  // closes the screen, the window and the context
}
