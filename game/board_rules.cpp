// The pure rules of the board: where a square's king is drawn, how a start square
// comes from a random draw, and which of the user's moves stay on the board.
#include <cmath>

#include "game/board.h"

BoardPoint KingCentre(const BoardGeometry& g, int32_t col, int32_t row) {
  const int32_t half = g.cell_size >> 1;
  return BoardPoint{col * g.cell_size + g.board_left - half,
                    kBoardSquares * g.cell_size + g.board_top - row * g.cell_size + half};
}

int32_t KingRadius(const BoardGeometry& g) { return (g.cell_size >> 1) - (g.cell_size >> 2); }

int32_t StartCoordinate(double draw) {
  return static_cast<int32_t>(std::floor(draw * 8.0) + 1.0);
}

MoveKey ClassifyMoveKey(const RtString* key) {
  if (RtEqualsText(key, "1")) return MoveKey::kLeft;
  if (RtEqualsText(key, "2")) return MoveKey::kDown;
  if (RtLength(key) >= 1 && key->data && static_cast<uint8_t>(key->data[0]) == 27) {
    return MoveKey::kEscape;
  }
  if (RtEqualsText(key, "3")) return MoveKey::kDiagonal;
  return MoveKey::kOther;
}

bool MoveIsLegal(MoveKey key, int32_t col, int32_t row) {
  switch (key) {
    case MoveKey::kLeft: return col > 1;
    case MoveKey::kDown: return row > 1;
    case MoveKey::kDiagonal: return row > 1 && col > 1;
    default: return false;
  }
}

void ApplyMove(MoveKey key, int32_t* col, int32_t* row) {
  if (!MoveIsLegal(key, *col, *row)) return;
  if (key == MoveKey::kLeft || key == MoveKey::kDiagonal) --*col;
  if (key == MoveKey::kDown || key == MoveKey::kDiagonal) --*row;
}
