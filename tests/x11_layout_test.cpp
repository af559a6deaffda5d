// The X11 window layer's choices: blitter format per visual, fullscreen scale
// and centring, and the special keys' X symbols.
#include <gtest/gtest.h>

#include "gfx/input/keys_internal.h"
#include "gfx/window/x11_layout.h"

namespace {

TEST(X11Layout, VisualFormatsChooseTheirBlitter) {
  int32_t depth = 0, order = -1;
  ASSERT_TRUE(X11BlitFormat(24, 32, 0xFF0000, &depth, &order));
  EXPECT_EQ(depth, 32);
  EXPECT_EQ(order, 0);
  ASSERT_TRUE(X11BlitFormat(32, 32, 0xFF, &depth, &order));
  EXPECT_EQ(order, 1);
  ASSERT_TRUE(X11BlitFormat(24, 24, 0xFF0000, &depth, &order));
  EXPECT_EQ(depth, 24);
  ASSERT_TRUE(X11BlitFormat(16, 16, 0xF800, &depth, &order));
  EXPECT_EQ(depth, 16);
  ASSERT_TRUE(X11BlitFormat(15, 16, 0x7C00, &depth, &order));
  EXPECT_EQ(depth, 15);
  EXPECT_FALSE(X11BlitFormat(8, 8, 0, &depth, &order));      // PseudoColor
  EXPECT_FALSE(X11BlitFormat(30, 32, 0x3FF00000, &depth, &order));  // 10 bits a colour
}

TEST(X11Layout, FullscreenTakesTheLargestWholeFactorCentred) {
  X11Placement p = X11PlacePicture(1280, 1024, 640, 480);
  EXPECT_EQ(p.factor, 2);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 32);
  p = X11PlacePicture(1920, 1080, 640, 480);
  EXPECT_EQ(p.factor, 2);
  EXPECT_EQ(p.x, 320);
  EXPECT_EQ(p.y, 60);
  p = X11PlacePicture(640, 480, 640, 480);
  EXPECT_EQ(p.factor, 1);
  EXPECT_EQ(p.x, 0);
  p = X11PlacePicture(600, 400, 640, 480);  // smaller than the picture: unscaled, at the corner
  EXPECT_EQ(p.factor, 1);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
}

TEST(X11Layout, SpecialKeysGiveTheWindowsCodes) {
  EXPECT_EQ(SpecialKeyCode(X11SpecialVirtualKey(0xFF52)), 257);  // Up
  EXPECT_EQ(SpecialKeyCode(X11SpecialVirtualKey(0xFF51)), 259);  // Left
  EXPECT_EQ(SpecialKeyCode(X11SpecialVirtualKey(0xFF99)), 258);  // keypad Down
  EXPECT_EQ(SpecialKeyCode(X11SpecialVirtualKey(0xFF56)), 266);  // Page Down
  EXPECT_EQ(SpecialKeyCode(X11SpecialVirtualKey(0xFFBE)), 267);  // F1
  EXPECT_EQ(SpecialKeyCode(X11SpecialVirtualKey(0xFFC7)), 276);  // F10
  EXPECT_EQ(X11SpecialVirtualKey('a'), 0u);
  EXPECT_EQ(X11SpecialVirtualKey(0xFF0D), 0u);  // Return is a character
}

}  // namespace
