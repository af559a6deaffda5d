// Choosing the GLX frame buffer configuration: the server's candidates for the
// request, read attribute by attribute, and ranked by glx_format.h rather than
// by the server's own order, which prefers the deepest colour and depth.
#include <X11/Xlib.h>

#include "gfx/drivers/gl_state_x11.h"

namespace glx {
namespace {

int32_t Attribute(FbConfig config, int name) {
  int value = 0;
  g_gl.gl.get_fb_config_attrib(g_gl.display, config, name, &value);
  return value;
}

GlxConfigInfo Describe(FbConfig c) {
  using namespace glx_attr;
  GlxConfigInfo info{};
  info.red = Attribute(c, kRedSize);
  info.green = Attribute(c, kGreenSize);
  info.blue = Attribute(c, kBlueSize);
  info.alpha = Attribute(c, kAlphaSize);
  info.depth = Attribute(c, kDepthSize);
  info.stencil = Attribute(c, kStencilSize);
  info.accum = Attribute(c, kAccumRedSize) + Attribute(c, kAccumGreenSize) +
               Attribute(c, kAccumBlueSize) + Attribute(c, kAccumAlphaSize);
  info.double_buffer = Attribute(c, kDoubleBuffer) != 0;
  info.slow = Attribute(c, kConfigCaveat) == kSlowConfig;
  return info;
}

}  // namespace

FbConfig ChooseConfig(int32_t depth, int32_t flags) {
  const GlFormatRequest request = GlFormatRequestFor(depth, flags);
  const std::vector<int> attributes = GlxConfigAttributes(request);
  int count = 0;
  FbConfig* configs = g_gl.gl.choose_fb_config(g_gl.display, DefaultScreen(g_gl.display),
                                               attributes.data(), &count);
  if (!configs) return nullptr;
  std::vector<GlxConfigInfo> infos;
  for (int i = 0; i < count; ++i) infos.push_back(Describe(configs[i]));
  const int32_t chosen = GlxChooseConfig(infos, request);
  FbConfig config = chosen >= 0 ? configs[chosen] : nullptr;
  XFree(configs);
  return config;
}

}  // namespace glx
