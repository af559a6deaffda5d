// The coordinate and span routines the drawing operations share (relative
// steps, rounding, clipping, boxes, ellipse rows), for the runtime's own files.
#pragma once
#include <cstdint>

#include "gfx/draw.h"

// Outcode bits of a point against the view.
constexpr int32_t kOutLeft = 1;
constexpr int32_t kOutRight = 2;
constexpr int32_t kOutBottom = 4;
constexpr int32_t kOutTop = 8;

// Full turn used to normalise arc angles.
constexpr double kFullTurn = 6.283185307179586;
// Default aspect factor: the double nearest 4/3.
constexpr double kDefaultAspectFactor = 1.3333333333333333;

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
