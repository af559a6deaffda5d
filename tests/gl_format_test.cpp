// The OpenGL driver's platform-free parts: the buffers its pixel format asks
// for, and the fullscreen mode list built from the display settings.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "gfx/drivers/gl_format.h"
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

}  // namespace
