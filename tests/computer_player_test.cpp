// The computer's move: one legal step from every square, and a winning one
// whenever the square allows it, checked against a game solved by search.
#include <gtest/gtest.h>

#include <array>

#include "game/game.h"

namespace {

struct Square {
  int32_t col;
  int32_t row;
};

Square MoveFrom(Square s) {
  ComputerMove(s.col, s.row);
  return s;
}

// win[c][r]: the side to move from (c, r) can force reaching (1, 1) first.
// Solved by backward induction over the three moves, without the parity idea.
std::array<std::array<bool, 9>, 9> SolveBoard() {
  std::array<std::array<bool, 9>, 9> win{};
  for (int c = 1; c <= 8; ++c) {
    for (int r = 1; r <= 8; ++r) {
      if (c == 1 && r == 1) continue;  // the game is over: the mover has lost
      const Square targets[] = {{c - 1, r}, {c, r - 1}, {c - 1, r - 1}};
      for (const Square& t : targets) {
        if (t.col >= 1 && t.row >= 1 && !win[t.col][t.row]) win[c][r] = true;
      }
    }
  }
  return win;
}

bool IsLegalStep(Square from, Square to) {
  const int dc = from.col - to.col;
  const int dr = from.row - to.row;
  const bool one_step = (dc == 1 && dr == 0) || (dc == 0 && dr == 1) || (dc == 1 && dr == 1);
  return one_step && to.col >= 1 && to.row >= 1;
}

TEST(ComputerMove, MakesOneLegalStepFromEverySquareButTheTarget) {
  for (int32_t c = 1; c <= 8; ++c) {
    for (int32_t r = 1; r <= 8; ++r) {
      if (c == 1 && r == 1) continue;
      const Square to = MoveFrom({c, r});
      EXPECT_TRUE(IsLegalStep({c, r}, to))
          << "from (" << c << ", " << r << ") to (" << to.col << ", " << to.row << ")";
    }
  }
}

TEST(ComputerMove, LeavesTheTargetSquareAlone) {
  const Square to = MoveFrom({1, 1});
  EXPECT_EQ(to.col, 1);
  EXPECT_EQ(to.row, 1);
}

TEST(ComputerMove, WinsFromEveryWinningSquare) {
  const auto win = SolveBoard();
  int winning_squares = 0;
  for (int32_t c = 1; c <= 8; ++c) {
    for (int32_t r = 1; r <= 8; ++r) {
      if (!win[c][r]) continue;
      ++winning_squares;
      const Square to = MoveFrom({c, r});
      EXPECT_FALSE(win[to.col][to.row])
          << "from (" << c << ", " << r << ") the move to (" << to.col << ", " << to.row
          << ") leaves the opponent a winning square";
    }
  }
  // 64 squares, 16 of them with both coordinates odd are lost for the mover.
  EXPECT_EQ(winning_squares, 48);
}

TEST(ComputerMove, FromALosingSquareStepsDownOrLeftAlongTheBottomRow) {
  const auto win = SolveBoard();
  for (int32_t c = 1; c <= 8; ++c) {
    for (int32_t r = 1; r <= 8; ++r) {
      if (win[c][r] || (c == 1 && r == 1)) continue;
      const Square to = MoveFrom({c, r});
      const Square expected = r > 1 ? Square{c, r - 1} : Square{c - 1, r};
      EXPECT_EQ(to.col, expected.col) << "from (" << c << ", " << r << ")";
      EXPECT_EQ(to.row, expected.row) << "from (" << c << ", " << r << ")";
    }
  }
}

TEST(ComputerMove, KnownPositions) {
  struct Case {
    Square from;
    Square to;
  };
  const Case cases[] = {
      {{8, 8}, {7, 7}}, {{2, 2}, {1, 1}}, {{2, 1}, {1, 1}}, {{1, 2}, {1, 1}},
      {{8, 5}, {7, 5}}, {{5, 8}, {5, 7}}, {{3, 3}, {3, 2}}, {{1, 7}, {1, 6}},
      {{7, 1}, {6, 1}}, {{1, 1}, {1, 1}},
  };
  for (const Case& k : cases) {
    const Square to = MoveFrom(k.from);
    EXPECT_EQ(to.col, k.to.col) << "from (" << k.from.col << ", " << k.from.row << ")";
    EXPECT_EQ(to.row, k.to.row) << "from (" << k.from.col << ", " << k.from.row << ")";
  }
}

}  // namespace
