// What the game's window should show, drawn by the project's own graphics code
// (lines, circles, the 16-row font) into an off-screen mode-12 screen: the
// expected picture that the window tests compare the real window with.
#pragma once
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr int kClientW = 640;
constexpr int kClientH = 480;

struct Square {
  int col = 0, row = 0;  // 1..8; (1, 1) is the bottom-left target
  bool operator==(const Square&) const = default;
};

// King centre in client pixels.
inline int KingX(Square s) { return 40 * s.col; }
inline int KingY(Square s) { return 360 - 40 * s.row; }

// A 640 x 480 picture as 0xRRGGBB values.
struct Picture {
  std::vector<uint32_t> px = std::vector<uint32_t>(kClientW * kClientH, kBlack);
  uint32_t At(int x, int y) const { return px[y * kClientW + x]; }
};

// The board with the king on `king` and the messages printed at row 1, column 1
// in order (each over the previous ones).
Picture ReferenceBoard(Square king, const std::vector<std::string>& messages);

// Console cells (character byte, attribute: foreground in the low four bits,
// background in the next four) drawn with the project's 16-row font and
// 16-colour palette; the picture is 640 wide and 16 pixels per row, at most 30 rows.
struct Cell {
  uint8_t ch = ' ';
  uint8_t attr = 7;
};
Picture RenderCells(const std::vector<std::vector<Cell>>& rows);

// Writes the top `height` rows of a picture as a binary PPM file.
bool WritePpm(const Picture& picture, int height, const std::string& path);

// The white pixels of the king's circle, relative to its centre.
std::set<std::pair<int, int>> KingCirclePixels();

// The computer's reply from a square, by the game's own rule.
Square ComputerReply(Square from);

}  // namespace e2e
