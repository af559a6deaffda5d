// A program of someone else's, built outside the tree against the installed
// runtime: opens a 640x480 true-colour screen, draws lines, boxes, a circle and
// text, writes what its own framebuffer holds to the PPM file named by its
// argument (so that a test can compare the window with it) and waits for a key.
#include <cstdio>
#include <string>

#include "tavrel.h"

namespace {

constexpr int kMode = 18;  // 640 x 480
constexpr int kDepth = 32;

void Draw() {
  DrawLine(nullptr, 0, 0, 639, 479, 0xFF0000, kDrawKindLine, kStyleSolid, kStepAbsolute);
  DrawLine(nullptr, 639, 0, 0, 479, 0x00FF00, kDrawKindLine, 0xF0F0, kStepAbsolute);
  DrawLine(nullptr, 20, 300, 220, 460, 0x3366FF, kDrawKindBox, kStyleSolid, kStepAbsolute);
  DrawLine(nullptr, 420, 20, 620, 120, 0xFFAA00, kDrawKindFilledBox, kStyleSolid, kStepAbsolute);
  DrawCircle(nullptr, 320, 240, 120, 0xFFFF00, 0, 0, kFullCircleMarker, 0, kStepPointAbsolute);
  SetColor(0xFFFFFF, -1);
  Locate(2, 3, -1);
  PrintCString(0, "Hello from a program of your own", 0);
}

// Written under a temporary name and renamed, so that a reader never sees half.
bool WriteFramebuffer(const std::string& path) {
  const std::string temporary = path + ".part";
  FILE* out = std::fopen(temporary.c_str(), "wb");
  if (out == nullptr) return false;
  std::fprintf(out, "P6\n%d %d\n255\n", g_screen->width, g_screen->height);
  for (int y = 0; y < g_screen->height; ++y) {
    for (int x = 0; x < g_screen->width; ++x) {
      const uint32_t pixel = g_pixel_ops.get_pixel(x, y);
      const unsigned char rgb[3] = {static_cast<unsigned char>(pixel >> 16),
                                    static_cast<unsigned char>(pixel >> 8),
                                    static_cast<unsigned char>(pixel)};
      std::fwrite(rgb, 1, 3, out);
    }
  }
  return std::fclose(out) == 0 && std::rename(temporary.c_str(), path.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  RuntimeInit(argc, argv);
  if (argc != 2) RuntimeEnd(2);
  ScreenSetTitle("tavrel consumer");
  if (ScreenSetMode(kMode, kDepth, 1, 0, 0) != 0) RuntimeEnd(1);
  Draw();
  if (!WriteFramebuffer(argv[1])) RuntimeEnd(3);
  WaitKey();
  RuntimeEnd(0);
}
