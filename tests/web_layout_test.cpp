// The browser window layer's pure parts: keyboard events as the screen's keys,
// the canvas's whole-factor size on the page, and the changed rows as the
// canvas's RGBA bytes.
#include <gtest/gtest.h>

#include <vector>

#include "console/web_host.h"
#include "gfx/window/web_layout.h"
#include "gfx/window/web_picture.h"
#include "support/blit_screen.h"

namespace {

int32_t Code(uint32_t virtual_key, uint32_t character, int32_t modifiers = 0) {
  return WebTranslateKey(virtual_key, character, modifiers, true).key_code;
}

TEST(WebLayout, KeysGiveTheCodesAndScanCodesOfAWindowsWindow) {
  EXPECT_EQ(Code(0x26, 0), 257);              // Up
  EXPECT_EQ(Code(0x68, 0), 0);                // keypad 8 with Num Lock on types "8" ...
  EXPECT_EQ(Code(0x68, '8'), '8');            // ... through its character
  EXPECT_EQ(Code(0x70, 0), 267);              // F1
  EXPECT_EQ(Code(0x79, 0), 276);              // F10
  EXPECT_EQ(Code(0x0D, 0), 13);               // Enter, Escape, Backspace, Tab: control characters
  EXPECT_EQ(Code(0x1B, 0), 27);
  EXPECT_EQ(Code(0x08, 0), 8);
  EXPECT_EQ(Code('A', 'a'), 'a');
  EXPECT_EQ(Code('A', 'A', kWebShift), 'A');
  EXPECT_EQ(Code('C', 'c', kWebControl), 3);  // Ctrl+C
  EXPECT_EQ(Code('F', 0x0430), 0xA0);         // Cyrillic a: its code page 866 byte
  EXPECT_EQ(Code('E', 0x00E9), 0);            // e acute: code page 866 has none
  EXPECT_EQ(Code(0x10, 0), 0);                // Shift alone queues nothing

  const WebKey up = WebTranslateKey(0x26, 0, 0, false);
  EXPECT_EQ(up.scan_code, 0x48);
  EXPECT_EQ(up.key_code, 0);  // a release queues nothing
  EXPECT_EQ(WebTranslateKey('A', 'a', 0, true).scan_code, 0x1E);
  EXPECT_EQ(WebTranslateKey('1', '1', 0, true).scan_code, 0x02);

  const WebKey alt_enter = WebTranslateKey(0x0D, 0, kWebAlt, true);
  EXPECT_TRUE(alt_enter.alt_enter);
  EXPECT_EQ(alt_enter.key_code, 0);
  EXPECT_EQ(alt_enter.scan_code, 0x1C);  // Enter is still held
}

TEST(WebLayout, CanvasTakesTheLargestWholeFactorInDevicePixels) {
  WebPlacement p = WebPlaceCanvas(1280, 720, 1, 640, 480);
  EXPECT_EQ(p.factor, 1);
  EXPECT_DOUBLE_EQ(p.css_width, 640);
  p = WebPlaceCanvas(1920, 1080, 1, 640, 480);
  EXPECT_EQ(p.factor, 2);
  EXPECT_DOUBLE_EQ(p.css_height, 960);
  // Two device pixels a CSS pixel: 2560 x 1440 device pixels hold factor 3,
  // 960 x 720 CSS pixels.
  p = WebPlaceCanvas(1280, 720, 2, 640, 480);
  EXPECT_EQ(p.factor, 3);
  EXPECT_DOUBLE_EQ(p.css_width, 960);
  EXPECT_DOUBLE_EQ(p.css_height, 720);
  // 125%: 800 x 600 CSS pixels are 1000 x 750 device pixels, factor 1.
  p = WebPlaceCanvas(800, 600, 1.25, 640, 480);
  EXPECT_EQ(p.factor, 1);
  EXPECT_DOUBLE_EQ(p.css_width, 512);
  // A ratio whose product lands a hair under a whole number still fits.
  EXPECT_EQ(WebPlaceCanvas(640 / 1.1, 480 / 1.1, 1.1, 640, 480).factor, 1);
  EXPECT_EQ(WebPlaceCanvas(1280 / 1.1, 960 / 1.1, 1.1, 640, 480).factor, 2);
  // Too small, or nothing known: unscaled.
  EXPECT_EQ(WebPlaceCanvas(300, 200, 1, 640, 480).factor, 1);
  EXPECT_EQ(WebPlaceCanvas(0, 0, 0, 640, 480).factor, 1);
}

TEST(WebLayout, OnlyChangedRowsBecomeOpaqueRgbaAndTheirFlagsClear) {
  for (int32_t multiplier : {1, 2}) {
    BlitScreen s(4, 6, 8, multiplier, false);
    s.palette()[7] = PackColour(0x12, 0x34, 0x56);
    s.Row(1)[2] = 7;
    s.Row(3)[0] = 7;
    s.dirty()[1] = s.dirty()[3] = 255;
    const int32_t height = 6 * multiplier;
    std::vector<uint8_t> rgba(4 * 4 * height, 0xEE);  // 0xEE: never written
    int32_t first = -1, count = -1;
    ASSERT_TRUE(WebConvertDirtyRows(WebCanvasBlitter(), rgba.data(), 4, height, &first, &count));
    EXPECT_EQ(first, 1 * multiplier);
    EXPECT_EQ(count, 3 * multiplier);
    const uint8_t* row1 = &rgba[static_cast<size_t>(multiplier) * 16];
    EXPECT_EQ((std::vector<uint8_t>(row1 + 8, row1 + 12)), (std::vector<uint8_t>{0x12, 0x34, 0x56, 0xFF}));
    EXPECT_EQ((std::vector<uint8_t>(row1, row1 + 4)), (std::vector<uint8_t>{0, 0, 0, 0xFF}));
    EXPECT_EQ(rgba[0], 0xEE) << "row 0 did not change";
    EXPECT_EQ(rgba[static_cast<size_t>(multiplier) * 2 * 16], 0xEE) << "row 2 did not change";
    EXPECT_EQ(rgba[static_cast<size_t>(multiplier) * 2 * 16 + 3], 0xFF) << "but lies in the span";
    EXPECT_FALSE(WebConvertDirtyRows(WebCanvasBlitter(), rgba.data(), 4, height, &first, &count));
  }
}

}  // namespace
