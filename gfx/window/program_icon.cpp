// The program icon's drawing, shared by the Windows resource and the X window.
#include "gfx/window/program_icon.h"

#include <cstddef>

namespace {

constexpr uint32_t kDark = 0xFF282830;
constexpr uint32_t kLight = 0xFF808088;
constexpr uint32_t kWhite = 0xFFFFFFFF;

// A 4x4 board of alternating grey squares with a white edge.
void DrawBoard(std::vector<uint32_t>& px, int size) {
  const int cell = size / 4;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      bool edge = x == 0 || y == 0 || x == size - 1 || y == size - 1;
      bool dark = ((x / cell) + (y / cell)) % 2 == 1;
      px[y * size + x] = edge ? kWhite : (dark ? kDark : kLight);
    }
  }
}

// The king: a filled white disc with a dark rim, centred.
void DrawKing(std::vector<uint32_t>& px, int size) {
  const double c = (size - 1) / 2.0;
  const double outer = size * 0.30, inner = outer - (size >= 32 ? 2.0 : 1.0);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      double dx = x - c, dy = y - c, d2 = dx * dx + dy * dy;
      if (d2 <= inner * inner) px[y * size + x] = kWhite;
      else if (d2 <= outer * outer) px[y * size + x] = kDark;
    }
  }
}

}  // namespace

std::vector<uint32_t> DrawProgramIcon(int size) {
  if (size < 4) return {};
  std::vector<uint32_t> px(static_cast<size_t>(size) * size, 0);
  DrawBoard(px, size);
  DrawKing(px, size);
  return px;
}

std::vector<uint32_t> ProgramIconProperty() {
  std::vector<uint32_t> out;
  for (int size : kProgramIconSizes) {
    out.push_back(static_cast<uint32_t>(size));
    out.push_back(static_cast<uint32_t>(size));
    std::vector<uint32_t> px = DrawProgramIcon(size);
    out.insert(out.end(), px.begin(), px.end());
  }
  return out;
}
