// The computer's move rule. A square whose column and row are both odd is lost for
// the side to move, (1, 1) included, so the computer steps onto one whenever it
// can; from such a square it can only wait, stepping down, or left along row 1.
#include "game/game.h"

namespace {
bool IsEven(int32_t value) { return (value & 1) == 0; }
}  // namespace

void ComputerMove(int32_t& king_col, int32_t& king_row) {
  const bool col_even = IsEven(king_col);
  const bool row_even = IsEven(king_row);
  if (col_even && row_even) {
    --king_col;
    --king_row;
  } else if (col_even) {
    --king_col;
  } else if (row_even) {
    --king_row;
  } else if (king_row > 1) {
    --king_row;
  } else if (king_col > 1) {
    --king_col;
  }
}
