// The OpenGL driver's platform-free parts: the buffers its pixel format asks
// for, and the fullscreen mode list built from the display settings; on X also
// the GLX configuration asked for and the one taken among those offered.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <vector>

#include "gfx/drivers/gl_format.h"
#include "gfx/drivers/glx_format.h"
#include "gfx/window/display_driver.h"

namespace {

TEST(GlFormatRequest, StencilAndAccumulationOnlyWhereTheFlagsAskForThem) {
  struct Case {
    int32_t depth, flags, stencil, accum;
  };
  for (Case c : {Case{32, kDisplayOpenGl, 0, 0}, Case{16, kDisplayOpenGl | kDisplayStencil, 8, 0},
                 Case{32, kDisplayOpenGl | kDisplayAccum, 0, 32},
                 Case{24, kDisplayOpenGl | kDisplayStencil | kDisplayAccum | kDisplayFullscreen, 8,
                      32}}) {
    GlFormatRequest r = GlFormatRequestFor(c.depth, c.flags);
    EXPECT_EQ(r.colour_bits, c.depth) << c.flags;
    EXPECT_EQ(r.depth_bits, 32) << c.flags;
    EXPECT_EQ(r.stencil_bits, c.stencil) << c.flags;
    EXPECT_EQ(r.accum_bits, c.accum) << c.flags;
  }
}

struct FakeDisplay {
  std::vector<GlDisplaySetting> settings;
  uint32_t asked_past_end = 0;
};

bool FromFake(uint32_t index, GlDisplaySetting* out, void* context) {
  auto* fake = static_cast<FakeDisplay*>(context);
  if (index >= fake->settings.size()) {
    ++fake->asked_past_end;
    return false;
  }
  *out = fake->settings[index];
  return true;
}

TEST(GlCollectModes, KeepsTheDepthsSettingsInOrderOncePerRate) {
  // 640x480 at 32 bits is offered at two refresh rates: it is listed twice.
  FakeDisplay fake{{{640, 480, 32}, {640, 480, 8}, {800, 600, 32}, {640, 480, 32}, {1024, 768, 16}}};
  int32_t count = -1;
  int32_t* modes = GlCollectModes(32, &count, FromFake, &fake);
  ASSERT_EQ(count, 3);
  ASSERT_NE(modes, nullptr);
  EXPECT_EQ(modes[0], 640 << 16 | 480);
  EXPECT_EQ(modes[1], 800 << 16 | 600);
  EXPECT_EQ(modes[2], 640 << 16 | 480);
  EXPECT_EQ(fake.asked_past_end, 1u) << "the enumeration stops at the first failure";
  std::free(modes);
}

TEST(GlCollectModes, NoMatchOrNoSettingsGivesNullAndZero) {
  FakeDisplay fake{{{640, 480, 8}, {320, 200, 16}}};
  int32_t count = -1;
  EXPECT_EQ(GlCollectModes(32, &count, FromFake, &fake), nullptr);
  EXPECT_EQ(count, 0);
  FakeDisplay empty;
  count = -1;
  EXPECT_EQ(GlCollectModes(8, &count, FromFake, &empty), nullptr);
  EXPECT_EQ(count, 0);
  // A null count is allowed: the array still comes back.
  int32_t* modes = GlCollectModes(8, nullptr, FromFake, &fake);
  ASSERT_NE(modes, nullptr);
  EXPECT_EQ(modes[0], 640 << 16 | 480);
  std::free(modes);
}

// The GLX attribute list as a map; the list must end with its terminator.
std::map<int, int> AttributeMap(const std::vector<int>& list) {
  std::map<int, int> out;
  EXPECT_EQ(list.size() % 2, 1u);
  EXPECT_EQ(list.back(), glx_attr::kNone);
  for (size_t i = 0; i + 1 < list.size(); i += 2) EXPECT_TRUE(out.emplace(list[i], list[i + 1]).second);
  return out;
}

TEST(GlxConfigAttributes, DoubleBufferedRgbaWithTheColourStencilAndAccumulationAsked) {
  using namespace glx_attr;
  std::map<int, int> a = AttributeMap(GlxConfigAttributes(GlFormatRequestFor(32, kDisplayOpenGl)));
  EXPECT_EQ(a[kDoubleBuffer], 1);
  EXPECT_EQ(a[kRenderType], kRgbaBit);
  EXPECT_EQ(a[kDrawableType], kWindowBit);
  EXPECT_EQ(a[kXVisualType], kTrueColor);
  EXPECT_EQ(a[kRedSize] + a[kGreenSize] + a[kBlueSize], 24);
  EXPECT_EQ(a[kStencilSize], 0);
  EXPECT_EQ(a[kAccumRedSize] + a[kAccumGreenSize] + a[kAccumBlueSize] + a[kAccumAlphaSize], 0);

  a = AttributeMap(GlxConfigAttributes(GlFormatRequestFor(16, kDisplayOpenGl | kDisplayStencil | kDisplayAccum)));
  EXPECT_EQ(a[kRedSize], 5);
  EXPECT_EQ(a[kGreenSize], 6);
  EXPECT_EQ(a[kBlueSize], 5);
  EXPECT_EQ(a[kStencilSize], 8);
  EXPECT_EQ(a[kAccumRedSize] + a[kAccumGreenSize] + a[kAccumBlueSize] + a[kAccumAlphaSize], 32);
}

GlxConfigInfo Config(int32_t depth, int32_t stencil = 0, int32_t accum = 0, bool slow = false,
                     bool double_buffer = true, int32_t channel = 8) {
  return {channel, channel, channel, 8, depth, stencil, accum, double_buffer, slow};
}

TEST(GlxChooseConfig, TakesWhatMeetsTheRequestClosestToIt) {
  const GlFormatRequest plain = GlFormatRequestFor(32, kDisplayOpenGl);
  // 32 depth bits where offered, else the deepest below, else the shallowest above.
  EXPECT_EQ(GlxChooseConfig({Config(24), Config(32), Config(16)}, plain), 1);
  EXPECT_EQ(GlxChooseConfig({Config(16), Config(24, 8)}, plain), 1);
  EXPECT_EQ(GlxChooseConfig({Config(0), Config(24)}, plain), 1);
  // A slow configuration only when nothing else meets the request.
  EXPECT_EQ(GlxChooseConfig({Config(32, 0, 0, true), Config(24)}, plain), 1);
  // Single-buffered ones never; no stencil or accumulation nobody asked for.
  EXPECT_EQ(GlxChooseConfig({Config(32, 0, 0, false, false), Config(32, 8), Config(32)}, plain), 2);
  EXPECT_EQ(GlxChooseConfig({Config(32, 0, 0, false, false)}, plain), -1);
  // Ties keep the server's order.
  EXPECT_EQ(GlxChooseConfig({Config(24, 8), Config(24, 8)}, plain), 0);

  const GlFormatRequest stencil = GlFormatRequestFor(32, kDisplayOpenGl | kDisplayStencil);
  EXPECT_EQ(GlxChooseConfig({Config(32), Config(24, 8)}, stencil), 1);
  EXPECT_EQ(GlxChooseConfig({Config(32)}, stencil), -1);
  const GlFormatRequest accum = GlFormatRequestFor(32, kDisplayOpenGl | kDisplayAccum);
  EXPECT_EQ(GlxChooseConfig({Config(24, 8), Config(24, 8, 64), Config(24, 8, 32)}, accum), 2);
  // 16-bit colour needs at least 5-6-5 bits.
  const GlFormatRequest low = GlFormatRequestFor(16, kDisplayOpenGl);
  EXPECT_EQ(GlxChooseConfig({Config(32), Config(32, 0, 0, false, true, 5)}, low), 0)
      << "5 bits of green are too few";
  EXPECT_EQ(GlxChooseConfig({Config(32, 0, 0, false, true, 4), Config(32)}, low), 1);
}

TEST(GlxDisplaySettings, EverySizeOncePerRateOrTheCurrentSizeAlone) {
  std::vector<GlDisplaySetting> settings =
      GlxDisplaySettings({{1920, 1200, {60, 50}}, {640, 480, {}}, {800, 600, {75}}}, 32, 1, 1);
  FakeDisplay fake{settings};
  int32_t count = 0;
  int32_t* modes = GlCollectModes(32, &count, FromFake, &fake);
  ASSERT_EQ(count, 4);
  EXPECT_EQ(std::vector<int32_t>(modes, modes + count),
            (std::vector<int32_t>{1920 << 16 | 1200, 1920 << 16 | 1200, 640 << 16 | 480, 800 << 16 | 600}));
  std::free(modes);
  EXPECT_EQ(GlCollectModes(16, &count, FromFake, &fake), nullptr) << "the server's depth only";

  FakeDisplay current{GlxDisplaySettings({}, 32, 1024, 768)};
  modes = GlCollectModes(32, &count, FromFake, &current);
  ASSERT_EQ(count, 1);
  EXPECT_EQ(modes[0], 1024 << 16 | 768);
  std::free(modes);
}

}  // namespace
