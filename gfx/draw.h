// Lines, boxes, circles, ellipses and arcs drawn into the open screen's work
// page, and the coordinate routines (relative steps, rounding, clipping) they share.
#pragma once
#include <bit>
#include <cstdint>

// DrawLine kinds: 0 a line, 2 a filled box, any other value a box outline.
constexpr int32_t kDrawKindLine = 0;
constexpr int32_t kDrawKindBox = 1;
constexpr int32_t kDrawKindFilledBox = 2;
constexpr uint32_t kStyleSolid = 0xFFFF;

// ApplyStep flags: 0 absolute line, 1 second point relative to the first, 2 first
// point relative to the last point, 3 both; 4 absolute and 5 relative single point.
constexpr int32_t kStepAbsolute = 0;
constexpr int32_t kStepSecondRelative = 1;
constexpr int32_t kStepFirstRelative = 2;
constexpr int32_t kStepBothRelative = 3;
constexpr int32_t kStepPointAbsolute = 4;
constexpr int32_t kStepPointRelative = 5;

// Outcode bits of a point against the view.
constexpr int32_t kOutLeft = 1;
constexpr int32_t kOutRight = 2;
constexpr int32_t kOutBottom = 4;
constexpr int32_t kOutTop = 8;

// The end angle that stands for "no end given": a whole ellipse when the start is
// 0. It lies one unit in the last place above the float nearest to 2 pi, so that
// an explicit 2 pi end still draws an arc.
constexpr uint32_t kFullCircleBits = 0x40C90FDCu;
constexpr float kFullCircleMarker = std::bit_cast<float>(kFullCircleBits);
// Full turn used to normalise arc angles.
constexpr double kFullTurn = 6.283185307179586;
// Default aspect factor: the double nearest 4/3.
constexpr double kDefaultAspectFactor = 1.3333333333333333;

// target: null for the screen. colour: a pixel value or kDefaultColour. style: low
// 16 bits, bit 15 first. Nothing happens while no screen is open.
void DrawLine(void* target, float x1, float y1, float x2, float y2, uint32_t colour,
              int32_t kind, uint32_t style, int32_t flags);
// A whole ellipse when start is 0 and end is kFullCircleMarker, else an arc; a
// negative angle also draws a radius line to that end. aspect 0 = the mode's default.
void DrawCircle(void* target, float x, float y, float radius, uint32_t colour, float aspect,
                float start, float end, int32_t fill, int32_t flags);

// Adjusts the coordinates for a relative step and records the last graphics point.
// x2 and y2 are null for a single point.
void ApplyStep(int32_t flags, float* x1, float* y1, float* x2, float* y2);
// Rounds half away from zero and adds the view origin.
void MapCoords(float x, float y, int32_t* ix, int32_t* iy);
int32_t OutCode(int32_t x, int32_t y);
// 0 with the visible part left in the four values (possibly with the points
// exchanged), -1 when nothing is visible.
int32_t ClipLine(int32_t* x1, int32_t* y1, int32_t* x2, int32_t* y2);
// Bit i moves to bit 15 - i.
uint32_t ReverseStyle(uint32_t style);
// Exchanges values so that x1 <= x2 and y1 <= y2.
void SortBox(int32_t* x1, int32_t* y1, int32_t* x2, int32_t* y2);
// Corners sorted, colour converted; fill non-zero fills, else draws the outline.
void DrawBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour, int32_t fill);

void DrawFullEllipse(int32_t cx, int32_t cy, float rx, float ry, uint32_t colour, int32_t fill);
// One row of an ellipse: the span x1..x2 when fill is set, else its two ends.
void EllipseRow(int32_t y, int32_t x1, int32_t x2, uint32_t colour, int32_t fill);
// Offset of the point at angle on an ellipse of radii rx, ry (dy grows upwards).
void ArcPoint(float angle, float rx, float ry, int32_t* dx, int32_t* dy);

// Marks rows lo to hi changed when the work page is the one shown.
void MarkRowsDirty(int32_t lo, int32_t hi);
