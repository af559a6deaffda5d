// Expected pictures drawn by the project's own code (see reference_board.h).
#include "reference_board.h"

#include <cstdio>
#include <cstring>

#include "game/game.h"
#include "gfx/draw.h"
#include "gfx/screen.h"
#include "gfx/text_internal.h"
#include "tests/support/test_driver.h"
#include "gfx/window/display_driver.h"

namespace e2e {

namespace {

// Opens mode 12 on a recording driver, lets draw() draw, and returns the
// visible page's pixels in colours.
template <typename Draw>
Picture Render(Draw draw) {
  static const DisplayDriver* driver = MakeTestDriver("reference", 0);
  UseDrivers({driver});
  Picture picture;
  if (ScreenSetMode(12, 8, 0, 0, 0) == 0 && g_screen != nullptr) {
    draw();
    for (int y = 0; y < kClientH; ++y)
      for (int x = 0; x < kClientW; ++x) {
        uint32_t packed = g_screen->current_palette[g_screen->visible_page[y * g_screen->pitch + x]];
        // Packed palette words are red | green << 8 | blue << 16.
        picture.px[y * kClientW + x] =
            (packed & 0xFF) << 16 | (packed & 0xFF00) | (packed >> 16 & 0xFF);
      }
    ScreenSetMode(0, 0, 0, 0, 0);
  }
  RestoreDrivers();
  return picture;
}

void DrawKing(Square s, uint32_t colour) {
  DrawCircle(nullptr, static_cast<float>(KingX(s)), static_cast<float>(KingY(s)), 10.0f, colour,
             0.0f, 0.0f, kFullCircleMarker, 0, 4);
}

}  // namespace

Picture ReferenceBoard(Square king, const std::vector<std::string>& messages) {
  return Render([&] {
    for (int i = 0; i <= 8; ++i) {
      const float at = static_cast<float>(20 + 40 * i);
      DrawLine(nullptr, at, 20.0f, at, 340.0f, 15, 0, 0xFFFF, 0);
      DrawLine(nullptr, 20.0f, at, 340.0f, at, 15, 0, 0xFFFF, 0);
    }
    DrawKing(king, 15);
    for (const std::string& m : messages) {
      GfxLocate(1, 1, -1);
      GfxWriteText(m.data(), static_cast<int32_t>(m.size()), 1);
    }
  });
}

std::set<std::pair<int, int>> KingCirclePixels() {
  const Square centre{4, 4};
  Picture p = Render([&] { DrawKing(centre, 15); });
  std::set<std::pair<int, int>> pixels;
  for (int y = 0; y < kClientH; ++y)
    for (int x = 0; x < kClientW; ++x)
      if (p.At(x, y) == kWhite) pixels.insert({x - KingX(centre), y - KingY(centre)});
  return pixels;
}

Picture RenderCells(const std::vector<std::vector<Cell>>& rows) {
  return Render([&] {
    for (size_t r = 0; r < rows.size() && r < 30; ++r)
      for (size_t c = 0; c < rows[r].size() && c < 80; ++c) {
        const Cell& cell = rows[r][c];
        GfxSetColor(cell.attr & 15, cell.attr >> 4 & 15);
        GfxLocate(static_cast<int32_t>(r) + 1, static_cast<int32_t>(c) + 1, -1);
        GfxWriteText(reinterpret_cast<const char*>(&cell.ch), 1, 0);
      }
  });
}

bool WritePpm(const Picture& picture, int height, const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  std::fprintf(f, "P6\n%d %d\n255\n", kClientW, height);
  for (int i = 0; i < kClientW * height; ++i) {
    const uint32_t p = picture.px[i];
    const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                                  static_cast<unsigned char>(p)};
    std::fwrite(rgb, 1, 3, f);
  }
  return std::fclose(f) == 0;
}

Square ComputerReply(Square from) {
  int32_t col = from.col, row = from.row;
  ComputerMove(col, row);
  return {col, row};
}

}  // namespace e2e
