// Fuzzes the drawing operations with arbitrary coordinates, radii, angles,
// styles and text on a screen of each pixel size: whatever the input, every
// write must stay inside the page and the dirty array (the address sanitizer
// watches both), and every call must finish.
#include <cstdint>
#include <cstring>

#include "gfx/draw.h"
#include "gfx/screen.h"
#include "gfx/text_internal.h"
#include "gfx/window/display_driver.h"
#include "support/null_display.h"

namespace {


struct Reader {
  const uint8_t* data;
  size_t size;
  template <typename T>
  T Take() {
    T v{};
    const size_t n = size < sizeof(T) ? size : sizeof(T);
    std::memcpy(&v, data, n);
    data += n, size -= n;
    return v;
  }
};

// Mostly screen-sized values, sometimes any float at all.
float Coordinate(Reader* r) {
  const uint8_t kind = r->Take<uint8_t>();
  if (kind < 200) return static_cast<float>(r->Take<int16_t>()) / 16.0f;
  return r->Take<float>();
}

void DrawOne(Reader* r) {
  switch (r->Take<uint8_t>() % 4) {
    case 0: {
      const float x1 = Coordinate(r), y1 = Coordinate(r), x2 = Coordinate(r), y2 = Coordinate(r);
      DrawLine(nullptr, x1, y1, x2, y2, r->Take<uint32_t>(), r->Take<uint8_t>() % 3, r->Take<uint16_t>(),
               r->Take<uint8_t>() % 4);
      break;
    }
    case 1: {
      // Radii, aspects and angles stay screen-sized: a whole ellipse costs a step per row
      // and per column of its size, so huge ones are slow by design.
      const float x = Coordinate(r), y = Coordinate(r);
      const float radius = static_cast<float>(r->Take<int16_t>()) / 16.0f;
      const float aspect = r->Take<uint8_t>() < 128 ? 0.0f : static_cast<float>(r->Take<int16_t>()) / 1024.0f;
      const bool whole = r->Take<uint8_t>() < 128;
      // Angles beyond a few hundred turns cost one step per turn to normalise.
      const float start = whole ? 0.0f : static_cast<float>(r->Take<int16_t>()) / 64.0f;
      const float end = whole ? kFullCircleMarker : static_cast<float>(r->Take<int16_t>()) / 64.0f;
      DrawCircle(nullptr, x, y, radius, r->Take<uint32_t>(), aspect, start, end, r->Take<uint8_t>() & 1,
                 4 + (r->Take<uint8_t>() & 1));
      break;
    }
    case 2: {
      GfxLocate(r->Take<int8_t>(), r->Take<int8_t>(), 0);
      const size_t n = r->Take<uint8_t>() % 64;
      char text[64];
      for (size_t i = 0; i < n; ++i) text[i] = static_cast<char>(r->Take<uint8_t>() % 16 == 0 ? 10 + r->Take<uint8_t>() % 4 : r->Take<uint8_t>());
      GfxWriteText(text, static_cast<int32_t>(n), 0);
      break;
    }
    default:
      GfxSetTextSize(r->Take<int8_t>(), r->Take<int8_t>());
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = (SetDisplayDriverList(NullDisplayList()), true);
  (void)ready;
  Reader r{data, size};
  static const int32_t kModes[][2] = {{12, 0}, {13, 0}, {15, 0}, {18, 16}, {18, 32}, {9, 0}};
  const auto& mode = kModes[r.Take<uint8_t>() % 6];
  if (ScreenSetMode(mode[0], mode[1], 0, 0, 0) != 0) return 0;
  for (int i = 0; i < 8 && r.size > 0; ++i) DrawOne(&r);
  return 0;
}
