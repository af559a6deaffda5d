// The game phase in the graphics window: the board, the king, and the turns of
// the computer and the user until one of them reaches the bottom-left square.
#include "game/board.h"

#include "console/console.h"
#include "console/print.h"
#include "console/runtime.h"
#include "console/services.h"
#include "game/game.h"
#include "gfx/draw.h"
#include "gfx/screen.h"

int32_t king_col = 1;
int32_t king_row = 1;

namespace {

BoardGeometry g_geometry{0, 0, 0};  // set at the start of the phase
RtString g_enter_key{};             // the key of the Enter waits
RtString g_move_key{};              // the key of the user's move

constexpr uint32_t kWhite = 15;
constexpr uint32_t kBlack = 0;

void DrawKing(uint32_t colour) {
  const BoardPoint c = KingCentre(g_geometry, king_col, king_row);
  DrawCircle(nullptr, static_cast<float>(c.x), static_cast<float>(c.y),
             static_cast<float>(KingRadius(g_geometry)), colour, 0.0f, 0.0f, kFullCircleMarker,
             0, kStepPointAbsolute);
}

void DrawGrid() {
  const BoardGeometry& g = g_geometry;
  const int32_t far_edge = g.board_left + kBoardSquares * g.cell_size;
  for (int32_t i = 0; i <= kBoardSquares; ++i) {
    const int32_t at = g.board_left + g.cell_size * i;
    DrawLine(nullptr, static_cast<float>(at), static_cast<float>(g.board_top),
             static_cast<float>(at), static_cast<float>(g.board_top + kBoardSquares * g.cell_size),
             kWhite, kDrawKindLine, kStyleSolid, kStepAbsolute);
    const int32_t row_at = g.board_top + g.cell_size * i;
    DrawLine(nullptr, static_cast<float>(g.board_left), static_cast<float>(row_at),
             static_cast<float>(far_edge), static_cast<float>(row_at), kWhite, kDrawKindLine,
             kStyleSolid, kStepAbsolute);
  }
}

void ShowMessage(const char* text) {
  Locate(1, 1, -1);
  PrintString(0, RtTempFromCString(text), kPrintNewline);
}

void WaitForEnter() {
  RtClear(&g_enter_key);
  do {
    RtAssign(&g_enter_key, ReadKey());
  } while (CharCodeAt(&g_enter_key, 1) != 13);
}

bool KingHome() { return king_col == 1 && king_row == 1; }

void ComputerTurn() {
  ShowMessage("COMP (press enter)");
  WaitForEnter();
  DrawKing(kBlack);
  ComputerMove(king_col, king_row);
  DrawKing(kWhite);
}

// Polls until one of the keys of a move (or Escape) comes; other keys, the close
// box among them, are passed over.
MoveKey ReadMoveKey() {
  for (;;) {
    RtAssign(&g_move_key, ReadKey());
    MoveKey key = ClassifyMoveKey(&g_move_key);
    if (key != MoveKey::kOther) return key;
  }
}

// False when the user pressed Escape.
bool UserTurn() {
  int32_t awaiting_move = 1;
  ShowMessage("Hodite !                  ");
  while (awaiting_move) {
    const MoveKey key = ReadMoveKey();
    if (key == MoveKey::kEscape) return false;
    if (!MoveIsLegal(key, king_col, king_row)) continue;  // off the board: ignored
    DrawKing(kBlack);
    ApplyMove(key, &king_col, &king_row);
    DrawKing(kWhite);
    awaiting_move = 0;
  }
  return true;
}

// The one runtime result the game examines: without its window it cannot be
// played at all, so it says why, in one line under the menu, and ends with a
// failure status.
void OpenBoardScreen() {
  if (ScreenSetMode(12, 8, 0, 0, 0) == 0) return;
  PrintCString(0, "tavrel: cannot open the game window: ", 0);
  PrintCString(0, ScreenFailureText(ScreenFailureReason()), kPrintNewline);
  RuntimeEnd(1);
}

}  // namespace

void BoardSetUp() {
  OpenBoardScreen();
  RandomSeed(TimerSeconds());
  g_geometry = kBoardGeometry;
  DrawGrid();
  king_col = StartCoordinate(RandomNumber(1));
  king_row = StartCoordinate(RandomNumber(1));
  DrawKing(kWhite);
}

GameEnd RunTurnLoop() {
  for (;;) {
    if (first_player == 1) ComputerTurn();
    if (first_player != 1) first_player = 1;
    if (KingHome()) {
      ShowMessage("COMP VIN!!!!");
      WaitForEnter();
      return GameEnd::kComputerWon;
    }
    if (!UserTurn()) return GameEnd::kEscape;
    if (KingHome()) {
      ShowMessage("USER VIN!!!!");
      WaitForEnter();
      return GameEnd::kUserWon;
    }
  }
}

void PlayGame() {
  BoardSetUp();
  RunTurnLoop();
  RuntimeEnd(0);
}
