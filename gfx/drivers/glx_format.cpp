// The OpenGL driver's choices on X that need no server: the configuration
// request, the ranking of what the server offers, and the mode list.
#include "gfx/drivers/glx_format.h"

#include <cstddef>
#include <tuple>

using namespace glx_attr;

std::vector<int> GlxConfigAttributes(const GlFormatRequest& request) {
  const bool high = request.colour_bits > 16;
  const int accum_channel = request.accum_bits / 4;
  return {kXRenderable, 1,
          kDrawableType, kWindowBit,
          kRenderType, kRgbaBit,
          kXVisualType, kTrueColor,
          kDoubleBuffer, 1,
          kRedSize, high ? 8 : 5,
          kGreenSize, high ? 8 : 6,
          kBlueSize, high ? 8 : 5,
          kDepthSize, 16,
          kStencilSize, request.stencil_bits,
          kAccumRedSize, accum_channel,
          kAccumGreenSize, accum_channel,
          kAccumBlueSize, accum_channel,
          kAccumAlphaSize, accum_channel,
          kNone};
}

namespace {

bool Meets(const GlxConfigInfo& c, const GlFormatRequest& r) {
  const bool high = r.colour_bits > 16;
  return c.double_buffer && c.red >= (high ? 8 : 5) && c.green >= (high ? 8 : 6) &&
         c.blue >= (high ? 8 : 5) && c.stencil >= r.stencil_bits && c.accum >= r.accum_bits;
}

// Smaller is better.
auto Rank(const GlxConfigInfo& c, const GlFormatRequest& r) {
  const int32_t depth_class = c.depth == r.depth_bits ? 0 : c.depth < r.depth_bits ? 1 : 2;
  const int32_t depth_gap = c.depth < r.depth_bits ? r.depth_bits - c.depth : c.depth - r.depth_bits;
  const int32_t colour = c.red + c.green + c.blue;
  const int32_t surplus = colour + c.stencil + c.accum - r.stencil_bits - r.accum_bits;
  return std::make_tuple(c.slow, depth_class, depth_gap, surplus);
}

}  // namespace

int32_t GlxChooseConfig(const std::vector<GlxConfigInfo>& configs, const GlFormatRequest& request) {
  int32_t best = -1;
  for (std::size_t i = 0; i < configs.size(); ++i) {
    if (!Meets(configs[i], request)) continue;
    if (best < 0 || Rank(configs[i], request) < Rank(configs[static_cast<std::size_t>(best)], request))
      best = static_cast<int32_t>(i);
  }
  return best;
}

std::vector<GlDisplaySetting> GlxDisplaySettings(const std::vector<GlxScreenSize>& sizes,
                                                 int32_t bits_per_pixel, int32_t current_width,
                                                 int32_t current_height) {
  std::vector<GlDisplaySetting> settings;
  for (const GlxScreenSize& s : sizes) {
    const std::size_t times = s.rates.empty() ? 1 : s.rates.size();
    for (std::size_t i = 0; i < times; ++i) settings.push_back({s.width, s.height, bits_per_pixel});
  }
  if (settings.empty()) settings.push_back({current_width, current_height, bits_per_pixel});
  return settings;
}
