/// \file
/// Lines, boxes, circles, ellipses and arcs drawn into the open graphics
/// screen. Coordinates are single-precision pixels, rounded half away from zero
/// (0.5 gives 1, -0.5 gives -1); what falls outside the screen is clipped. Both
/// calls do nothing while no screen is open, report no error, and may be called
/// from the program's thread only.
#pragma once
#include "gfx/bit_cast.h"
#include <cstdint>

/// DrawLine kind: a line.
constexpr int32_t kDrawKindLine = 0;
/// DrawLine kind: a box outline (any kind other than 0 and 2 also draws one).
constexpr int32_t kDrawKindBox = 1;
/// DrawLine kind: a filled box.
constexpr int32_t kDrawKindFilledBox = 2;

/// The solid line style, and the value to pass when no style is wanted.
constexpr uint32_t kStyleSolid = 0xFFFF;

/// DrawLine flags: both points absolute.
constexpr int32_t kStepAbsolute = 0;
/// DrawLine flags: the second point relative to the first.
constexpr int32_t kStepSecondRelative = 1;
/// DrawLine flags: the first point relative to the last graphics point.
constexpr int32_t kStepFirstRelative = 2;
/// DrawLine flags: the first point relative to the last graphics point, the
/// second relative to the first.
constexpr int32_t kStepBothRelative = 3;
/// DrawCircle flags: the centre absolute.
constexpr int32_t kStepPointAbsolute = 4;
/// DrawCircle flags: the centre relative to the last graphics point.
constexpr int32_t kStepPointRelative = 5;

/// The bits of kFullCircleMarker.
constexpr uint32_t kFullCircleBits = 0x40C90FDCu;
/// DrawCircle's "no end angle given": with start 0 it draws the whole ellipse.
/// It lies one unit in the last place above the float nearest to 2 pi, so an
/// explicit end of 2 pi still draws an arc over the whole turn, point by point.
constexpr float kFullCircleMarker = std::bit_cast<float>(kFullCircleBits);

/// Draws a line, a box outline or a filled box. The last graphics point becomes
/// the second point (after the relative steps), also when nothing is visible.
/// \param target null: the screen (the only target there is).
/// \param x1 the first point's x, in pixels.
/// \param y1 the first point's y, in pixels (growing downwards).
/// \param x2 the second point's x (the box's opposite corner), in pixels.
/// \param y2 the second point's y, in pixels.
/// \param colour a colour of the mode (palette index, or 0xRRGGBB in 16- and
///   32-bit modes, masked to the mode's depth), or kDefaultColour for the
///   current foreground.
/// \param kind kDrawKindLine, kDrawKindBox or kDrawKindFilledBox.
/// \param style the line's 16-bit pattern, drawn from the first point on: bit 15
///   decides the first pixel, bit 14 the next and so on, repeating; a clear bit
///   leaves the pixel as it is. Pass kStyleSolid (0xFFFF) for a solid line: 0 is
///   not "omitted" but a pattern with no pixel, and draws nothing. Boxes ignore it.
/// \param flags kStepAbsolute, kStepSecondRelative, kStepFirstRelative or
///   kStepBothRelative; any other value counts as absolute.
void DrawLine(void* target, float x1, float y1, float x2, float y2, uint32_t colour,
              int32_t kind, uint32_t style, int32_t flags);

/// Draws a circle, an ellipse or an arc. Angles are radians counted
/// counter-clockwise from the positive x axis (so upwards on the screen). The
/// last graphics point becomes the centre.
/// \param target null: the screen (the only target there is).
/// \param x the centre's x, in pixels.
/// \param y the centre's y, in pixels.
/// \param radius the radius in pixels, along the longer axis.
/// \param colour a colour of the mode, or kDefaultColour for the current foreground.
/// \param aspect height / width of the ellipse (1 a circle, 2 twice as tall as
///   wide); 0 for "omitted": the mode's square-pixel default (1 in 640 x 480
///   modes, 0.833 in 320 x 200).
/// \param start the arc's start angle; 0 for "omitted". A negative angle starts
///   the arc at its magnitude and also draws a radius line from the centre to it.
/// \param end the arc's end angle; kFullCircleMarker for "omitted", which with
///   start 0 draws the whole ellipse. 0 is not "omitted": start 0 with end 0 is
///   an arc of no length and draws one pixel. A negative angle ends the arc at
///   its magnitude and draws a radius line to it.
/// \param fill non-zero fills a whole ellipse; arcs are never filled.
/// \param flags kStepPointAbsolute, or kStepPointRelative for a centre relative
///   to the last graphics point.
void DrawCircle(void* target, float x, float y, float radius, uint32_t colour, float aspect,
                float start, float end, int32_t fill, int32_t flags);
