// The board and turn loop of the game phase: the pure board rules (geometry,
// start square, the user's moves) and the phase's steps, split so that tests can
// drive the loop without ending the process.
#pragma once
#include <cstdint>

#include "console/rt_string.h"

struct BoardGeometry {
  int32_t board_left;
  int32_t board_top;
  int32_t cell_size;
};
constexpr BoardGeometry kBoardGeometry{20, 20, 40};
constexpr int32_t kBoardSquares = 8;

struct BoardPoint {
  int32_t x;
  int32_t y;
};

// Centre of the king on square (col, row); column 1 left, row 1 bottom. The
// halvings are arithmetic shifts.
BoardPoint KingCentre(const BoardGeometry& g, int32_t col, int32_t row);
int32_t KingRadius(const BoardGeometry& g);
// One start coordinate, 1 to 8, from a draw in [0, 1): floor(draw * 8) + 1.
int32_t StartCoordinate(double draw);

enum class MoveKey { kOther, kLeft, kDown, kDiagonal, kEscape };
// "1", "2", "3" as whole strings; Escape by its first byte; anything else other.
MoveKey ClassifyMoveKey(const RtString* key);
// Whether the move keeps the king on the board (Escape and other keys never move).
bool MoveIsLegal(MoveKey key, int32_t col, int32_t row);
void ApplyMove(MoveKey key, int32_t* col, int32_t* row);

// The king's square, process-wide.
extern int32_t king_col;
extern int32_t king_row;

enum class GameEnd { kComputerWon, kUserWon, kEscape };
// Opens the screen, seeds the generator, draws the grid, places and draws the king.
void BoardSetUp();
// Cycles of the turn loop until the game is over; a win has been announced and
// acknowledged with Enter when this returns.
GameEnd RunTurnLoop();
