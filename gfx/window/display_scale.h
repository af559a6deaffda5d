// Whole-number scaling of a windowed screen on a high-DPI display, kept apart
// from the platform calls so that it can be tested on any machine.
#pragma once
#include <cstddef>
#include <cstdint>

// The display's nominal density: a scale of 100%.
constexpr int32_t kBaseDpi = 96;

// How many display pixels each framebuffer pixel becomes, in each direction,
// in a window: the largest whole number that does not exceed the display's
// scale (dpi / 96, so 1 at 96, 120 and 144 DPI, 2 at 192, 3 at 288) and at
// which the whole window, client_w x client_h times the factor plus the frame
// (frame_w, frame_h: the outer size less the client size, in display pixels),
// still fits the work area (work_w x work_h, the display less its task bars).
// At least 1, also for a dpi of 0 or below (unknown). Whole numbers only: a
// pixel game stays crisp, every framebuffer pixel a solid square.
int32_t DisplayScaleFactor(int32_t dpi, int32_t client_w, int32_t client_h, int32_t frame_w,
                           int32_t frame_h, int32_t work_w, int32_t work_h);

// Widens rows first..last of an unscaled picture (width pixels of
// bytes_per_pixel bytes, src_pitch bytes apart) into a picture factor times
// as wide and tall (dst_pitch bytes apart): source pixel (x, y) fills the
// factor x factor block at (x * factor, y * factor). With dirty given, only
// the rows whose flag is set are widened.
void ScaleRowsBy(const uint8_t* src, size_t src_pitch, uint8_t* dst, size_t dst_pitch, int32_t width,
                 int32_t bytes_per_pixel, int32_t factor, int32_t first, int32_t last,
                 const uint8_t* dirty = nullptr);
