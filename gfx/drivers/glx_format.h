// Platform-free parts of the OpenGL driver on X: the GLX frame buffer
// configuration it asks for, the one it takes among those the server offers,
// and its fullscreen mode list from the screen sizes XRandR reports.
#pragma once
#include <cstdint>
#include <vector>

#include "gfx/drivers/gl_format.h"

// GLX attribute names and values as the GLX protocol numbers them; kept here so
// that building the driver needs no OpenGL headers.
namespace glx_attr {
constexpr int kNone = 0;
constexpr int kBufferSize = 2;
constexpr int kDoubleBuffer = 5;
constexpr int kRedSize = 8;
constexpr int kGreenSize = 9;
constexpr int kBlueSize = 10;
constexpr int kAlphaSize = 11;
constexpr int kDepthSize = 12;
constexpr int kStencilSize = 13;
constexpr int kAccumRedSize = 14;
constexpr int kAccumGreenSize = 15;
constexpr int kAccumBlueSize = 16;
constexpr int kAccumAlphaSize = 17;
constexpr int kConfigCaveat = 0x20;
constexpr int kXVisualType = 0x22;
constexpr int kSlowConfig = 0x8001;
constexpr int kTrueColor = 0x8002;
constexpr int kDrawableType = 0x8010;
constexpr int kRenderType = 0x8011;
constexpr int kXRenderable = 0x8012;
constexpr int kRgbaType = 0x8014;
constexpr int kWindowBit = 0x1;
constexpr int kRgbaBit = 0x1;
}  // namespace glx_attr

// The attribute list (name, value pairs ended by kNone) for glXChooseFBConfig:
// a double-buffered RGBA TrueColor configuration for windows, with at least
// the colour of the request (5-6-5 bits at 16, 8-8-8 above), 16 depth bits
// (GlxChooseConfig then prefers the request's 32), and the stencil and
// accumulation bits the request asks for (accumulation spread over four
// channels).
std::vector<int> GlxConfigAttributes(const GlFormatRequest& request);

// What the driver compares of one offered configuration.
struct GlxConfigInfo {
  int32_t red, green, blue, alpha;
  int32_t depth;
  int32_t stencil;
  int32_t accum;  // red + green + blue + alpha accumulation bits
  bool double_buffer;
  bool slow;  // GLX_SLOW_CONFIG
};

// The index of the configuration to take, or -1 when none meets the request.
// One that meets it (double-buffered, the colour, stencil and accumulation
// asked for) is ranked by: not slow; exactly the depth bits asked for, else the
// most below them, else the fewest above; the fewest unasked colour, stencil
// and accumulation bits; the server's order.
int32_t GlxChooseConfig(const std::vector<GlxConfigInfo>& configs, const GlFormatRequest& request);

// One screen size as XRandR lists it, with the refresh rates it offers.
struct GlxScreenSize {
  int32_t width, height;
  std::vector<int16_t> rates;
};

// The display settings for GlCollectModes: each size once per rate (once when
// it lists none), all at the screen's bits per pixel; only the current size
// when XRandR gave nothing.
std::vector<GlDisplaySetting> GlxDisplaySettings(const std::vector<GlxScreenSize>& sizes,
                                                 int32_t bits_per_pixel, int32_t current_width,
                                                 int32_t current_height);
