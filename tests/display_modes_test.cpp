// The display drivers' platform-neutral choices against fake displays: the
// fullscreen mode search, pixel formats to blitters, DirectInput key bytes and
// the mode list handed to callers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "gfx/drivers/display_modes.h"
#include "gfx/input/keys_internal.h"

namespace {

using Mode = std::tuple<int32_t, int32_t, int32_t>;  // width, height, depth

// A display that offers a fixed set of modes and records every request.
struct FakeDisplay {
  std::set<Mode> offered;
  std::vector<std::string> asked;
  static bool Set(void* context, int32_t w, int32_t h, int32_t d, int32_t rate, uint32_t flags) {
    auto* self = static_cast<FakeDisplay*>(context);
    self->asked.push_back(std::to_string(w) + "x" + std::to_string(h) + "x" + std::to_string(d) +
                          "@" + std::to_string(rate) + (flags ? " vga" : ""));
    return self->offered.count({w, h, d}) != 0;
  }
};

TEST(DisplayModeSearch, ExactModeFirstThenTwinThenTallerSteps) {
  FakeDisplay display{{{640, 480, 8}}, {}};
  DisplayModeChoice c{};
  ASSERT_TRUE(SearchDisplayMode(640, 480, 8, 75, FakeDisplay::Set, &display, &c));
  EXPECT_EQ(display.asked, std::vector<std::string>{"640x480x8@75"});
  EXPECT_EQ(c.height, 480);
  EXPECT_EQ(c.y_offset, 0);

  // 640x400 where only 640x480 exists: centred 40 rows down.
  display = FakeDisplay{{{640, 480, 8}}, {}};
  ASSERT_TRUE(SearchDisplayMode(640, 400, 8, 0, FakeDisplay::Set, &display, &c));
  EXPECT_EQ(display.asked, (std::vector<std::string>{"640x400x8@0", "640x480x8@0"}));
  EXPECT_EQ(c.height, 480);
  EXPECT_EQ(c.y_offset, 40);

  // A 16-bit request on a display with only 15-bit modes of that size.
  display = FakeDisplay{{{800, 600, 15}}, {}};
  ASSERT_TRUE(SearchDisplayMode(800, 600, 16, 0, FakeDisplay::Set, &display, &c));
  EXPECT_EQ(display.asked, (std::vector<std::string>{"800x600x16@0", "800x600x15@0"}));
  EXPECT_EQ(c.depth, 15);
  display = FakeDisplay{{{640, 480, 24}}, {}};
  ASSERT_TRUE(SearchDisplayMode(640, 480, 32, 0, FakeDisplay::Set, &display, &c));
  EXPECT_EQ(c.depth, 24);
}

TEST(DisplayModeSearch, Mode13AsksForTheStandardVgaModeThenClimbsAndGivesUp) {
  FakeDisplay display{{{320, 480, 8}}, {}};
  DisplayModeChoice c{};
  ASSERT_TRUE(SearchDisplayMode(320, 200, 8, 0, FakeDisplay::Set, &display, &c));
  EXPECT_EQ(display.asked,
            (std::vector<std::string>{"320x200x8@0 vga", "320x240x8@0", "320x480x8@0"}));
  EXPECT_EQ(c.y_offset, 140);

  // The flag belongs to 320x200x8 alone; 8 bits have no twin, 1024 is the end.
  display = FakeDisplay{};
  EXPECT_FALSE(SearchDisplayMode(1024, 768, 8, 0, FakeDisplay::Set, &display, &c));
  EXPECT_EQ(display.asked, (std::vector<std::string>{"1024x768x8@0", "1024x1024x8@0"}));
  display = FakeDisplay{};
  EXPECT_FALSE(SearchDisplayMode(1280, 1024, 32, 0, FakeDisplay::Set, &display, &c));
  EXPECT_EQ(display.asked, (std::vector<std::string>{"1280x1024x32@0", "1280x1024x24@0"}));
  display = FakeDisplay{};
  EXPECT_FALSE(SearchDisplayMode(320, 200, 16, 0, FakeDisplay::Set, &display, &c));
  EXPECT_EQ(display.asked.size(), 12u) << "200, 240, 480, 600, 768, 1024 with both depths";
  EXPECT_EQ(display.asked.front(), "320x200x16@0");
}

TEST(DisplayModeSearch, StepsAndTwins) {
  EXPECT_EQ(NextStandardHeight(0), 240);
  EXPECT_EQ(NextStandardHeight(239), 240);
  EXPECT_EQ(NextStandardHeight(240), 480);
  EXPECT_EQ(NextStandardHeight(599), 600);
  EXPECT_EQ(NextStandardHeight(768), 1024);
  EXPECT_EQ(NextStandardHeight(1024), 0);
  EXPECT_EQ(TwinDepth(8), 0);
  EXPECT_EQ(TwinDepth(15), 16);
  EXPECT_EQ(TwinDepth(24), 32);
}

TEST(SurfaceFormat, DepthAndRgbOrderFromMasks) {
  struct Case {
    uint32_t bits, red, green;
    int32_t depth, order;
  } cases[] = {
      {32, 0xFF0000, 0xFF00, 32, 0}, {32, 0xFF, 0xFF00, 32, 1},   {24, 0xFF0000, 0xFF00, 24, 0},
      {24, 0xFF, 0xFF00, 24, 1},     {16, 0xF800, 0x7E0, 16, 0},  {16, 0x7C00, 0x3E0, 15, 0},
      {16, 0x1F, 0x7E0, 16, 1},      {16, 0x1F, 0x3E0, 15, 1},    {8, 0, 0, 8, 0},
      {32, 0x1F, 0xFF00, 32, 1},  // red in the low bits whatever its width
  };
  for (const Case& c : cases) {
    const SurfaceFormat f = SurfaceFormatFromMasks(c.bits, c.red, c.green);
    EXPECT_EQ(f.depth, c.depth) << c.bits << " bits, red " << std::hex << c.red;
    EXPECT_EQ(f.rgb_order, c.order) << c.bits << " bits, red " << std::hex << c.red;
  }
  EXPECT_EQ(FormatBits(16, 0x3E0), 15);
  EXPECT_EQ(FormatBits(16, 0x7E0), 16);
  EXPECT_EQ(FormatBits(32, 0x3E0), 32);
}

TEST(ModeList, GrowsOneEntryAtATimeForTheCallerToFree) {
  ModeList list;
  ModeListAppend(&list, 640, 480);
  ModeListAppend(&list, 1280, 1024);
  ASSERT_EQ(list.count, 2);
  EXPECT_EQ(list.modes[0], 640 << 16 | 480);
  EXPECT_EQ(list.modes[1], 1280 << 16 | 1024);
  std::free(list.modes);
  ModeList dropped;
  ModeListAppend(&dropped, 320, 200);
  ModeListDiscard(&dropped);
  ModeListAppend(&dropped, 320, 240);
  EXPECT_EQ(dropped.modes, nullptr) << "a failed list stays empty";
  EXPECT_EQ(dropped.count, 0);
}

TEST(DeviceKeyState, ExtendedKeysCountAsTheirMainBlockTwins) {
  uint8_t device[256] = {};
  uint8_t key_state[128];
  std::fill(std::begin(key_state), std::end(key_state), 0x55);
  device[0x1E] = 0x80;         // A
  device[0x1D + 128] = 0x80;   // right Control
  device[0x48 + 128] = 0x81;   // Up on the middle block
  device[0x10] = 0x7F;         // bit 7 clear: up
  RefreshKeyStateFromDevice(device, key_state);
  for (int i = 0; i < 128; ++i) {
    const bool down = i == 0x1E || i == 0x1D || i == 0x48;
    EXPECT_EQ(key_state[i], down ? 0xFF : 0x00) << "scan code " << i;
  }
}

}  // namespace
