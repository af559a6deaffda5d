// Example: a graphics program with the Tavrel runtime.
//
// It opens a 640 x 480 window with 16 colours, draws boxes, lines in several
// styles, circles, an arc and an ellipse, text, and a row of colour swatches
// one of which a palette change recolours. Then it watches the keyboard and
// the mouse: the square at the bottom lights up while Space is held, a left
// click leaves a red dot, and Escape ends the program.
//
// Everything is drawn into the screen's memory; the runtime's display thread
// shows the changed rows in the window about a hundred times a second, so a
// program never presents anything itself.
#include <cstdio>

#include "tavrel.h"

namespace {

constexpr int32_t kBlue = 1, kRed = 4, kMagenta = 5, kDarkGrey = 8, kLightBlue = 9, kLightGreen = 10;
constexpr int32_t kLightCyan = 11, kLightRed = 12, kPink = 13, kYellow = 14, kWhite = 15;
constexpr float kPi = 3.14159265f;
constexpr int32_t kSpaceScanCode = 0x39;  // key states are indexed by PC scan code

// DrawLine draws a line, a box outline or a filled box between two corners.
// The style is a 16-pixel pattern, bit 15 first (0 draws nothing); only
// lines use it.
void Line(float x1, float y1, float x2, float y2, int32_t colour, uint32_t style = kStyleSolid) {
  DrawLine(nullptr, x1, y1, x2, y2, colour, kDrawKindLine, style, kStepAbsolute);
}
void Box(float x1, float y1, float x2, float y2, int32_t colour, int32_t kind) {
  DrawLine(nullptr, x1, y1, x2, y2, colour, kind, kStyleSolid, kStepAbsolute);
}

void DrawBoxesAndLines() {
  Box(20, 40, 139, 139, kBlue, kDrawKindFilledBox);
  Box(160, 40, 279, 139, kYellow, kDrawKindBox);
  Line(300, 40, 419, 40, kWhite);
  Line(300, 60, 419, 60, kLightGreen, 0xFF00);  // long dashes
  Line(300, 80, 419, 80, kLightRed, 0xCCCC);    // dots
  Line(300, 100, 339, 139, kLightCyan);
  Line(440, 40, 440, 139, kPink, 0xF0F0);
}

// DrawCircle's start and end angles are radians, counter-clockwise from
// three o'clock. Start 0 with end kFullCircleMarker means a whole circle; a
// negative angle also draws the radius to that end (a pie slice). Aspect 0
// keeps circles round; another value squeezes them into ellipses.
void DrawCircles() {
  DrawCircle(nullptr, 80, 240, 50, kWhite, 0, 0, kFullCircleMarker, 0, kStepPointAbsolute);
  DrawCircle(nullptr, 220, 240, 50, kRed, 0, 0, kFullCircleMarker, 1, kStepPointAbsolute);  // filled
  DrawCircle(nullptr, 360, 240, 50, kYellow, 0, -kPi / 4, -3 * kPi / 4, 0, kStepPointAbsolute);
  DrawCircle(nullptr, 500, 240, 60, kLightBlue, 0.5f, 0, kFullCircleMarker, 0, kStepPointAbsolute);
}

// Sixteen swatches in the colours 0 to 15. Palette modes store colour
// numbers, so changing palette entry 5 afterwards recolours everything
// already drawn in colour 5. The components are 0 to 255 here.
void DrawSwatchesAndChangeOne() {
  for (int32_t colour = 0; colour < 16; ++colour) {
    const auto x = static_cast<float>(colour * 40);
    Box(x, 340, x + 39, 379, colour, kDrawKindFilledBox);
  }
  PaletteSet(kMagenta, 255, 128, 0);  // entry 5 becomes orange
}

// Text goes through the same print and locate calls as on the console: an
// open screen takes them over. Rows of text are 16 pixels high in this mode.
void DrawText() {
  Locate(1, 1, -1);
  PrintCString(0, "Tavrel graphics demo: hold Space, click, Escape ends", 0);
  Locate(28, 10, -1);
  PrintCString(0, "<- lit while Space is held", 0);
}

void ShowSpace(bool held) { Box(20, 420, 59, 459, held ? kLightGreen : kDarkGrey, kDrawKindFilledBox); }

// Reads the pointer: a failure means it is outside the window.
void ShowMouse() {
  int32_t x = 0, y = 0, wheel = 0, buttons = 0;
  char text[48];
  std::snprintf(text, sizeof text, "%-40s", "Mouse: outside the window");
  if (GfxReadMouse(&x, &y, &wheel, &buttons) == 0) {  // blanks wipe a longer text
    std::snprintf(text, sizeof text, "Mouse: %d, %d, buttons %-20d", x, y, buttons);
    if (buttons & 1) {  // left button held: a dot under the pointer
      DrawCircle(nullptr, static_cast<float>(x), static_cast<float>(y), 3, kLightRed, 0, 0,
                 kFullCircleMarker, 1, kStepPointAbsolute);
    }
  }
  Locate(30, 1, -1);
  PrintCString(0, text, 0);
}

// Returns on Escape or the window's close box (which arrives as the key 255,
// "X" and closes nothing by itself). ReadKey never waits, so the loop can
// watch the key states and the mouse as well; each key string it returns must
// be released. A short sleep keeps the loop from spinning.
void WatchInputUntilEscape() {
  bool space_was_held = false;
  ShowSpace(false);
  for (bool done = false; !done;) {
    RtString* key = ReadKey();
    done = (RtLength(key) == 1 && key->data[0] == 27) || (RtLength(key) == 2 && key->data[1] == 'X');
    RtRelease(key);
    const bool held = GfxKeyIsDown(kSpaceScanCode) != 0;
    if (held != space_was_held) ShowSpace(held);
    space_was_held = held;
    ShowMouse();
    SleepMs(10);
  }
}

}  // namespace

int main(int argc, char** argv) {
  RuntimeInit(argc, argv);
  // Mode 12 (640 x 480, 16 colours), depth and pages as the mode has them, a
  // window (flag 0), any refresh rate. 1 means no display could be opened.
  if (ScreenSetMode(12, 0, 1, 0, 0) != 0) {
    std::fputs("graphics_demo: cannot open a graphics window\n", stderr);
    RuntimeEnd(1);
  }
  DrawBoxesAndLines();
  DrawCircles();
  DrawSwatchesAndChangeOne();
  DrawText();
  WatchInputUntilEscape();
  RuntimeEnd(0);  // closes the window too
}
