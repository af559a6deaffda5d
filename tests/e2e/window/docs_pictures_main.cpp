// Makes the README's pictures from the real game under Wine: the menu as the
// console shows it (its cells drawn with the project's own font) and the board
// window after the player's first move, as read back from the X screen.
//   docs_pictures OUTPUT_DIR      writes menu.ppm and board.ppm
#include <algorithm>
#include <cstdio>
#include <string>

#include "game_session.h"

using namespace e2e;

namespace {

Picture MenuPicture(GameConsole& console, int* rows_used) {
  std::vector<std::vector<Cell>> rows;
  for (const auto& line : console.Screen()) {
    std::vector<Cell> cells;
    for (const ConsoleCell& c : line)
      cells.push_back({static_cast<uint8_t>(c.ch < 128 ? c.ch : '?'), c.attr});
    rows.push_back(std::move(cells));
  }
  // Down to the last row with text, and one blank row under it.
  int last = -1;
  for (size_t r = 0; r < rows.size(); ++r)
    for (const Cell& c : rows[r])
      if (c.ch != ' ') last = static_cast<int>(r);
  *rows_used = std::min(static_cast<int>(rows.size()), last + 2);
  return RenderCells(rows);
}

Picture WindowPicture(GameWindow& window) {
  Picture p;
  Shot shot = window.Grab();
  if (shot.Ok()) p.px = shot.px;
  return p;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: docs_pictures OUTPUT_DIR\n");
    return 2;
  }
  const std::string out = argv[1];
  Picture menu;
  int menu_rows = 0;
  GameSession game([&](GameConsole& console) { menu = MenuPicture(console, &menu_rows); });
  if (!game.Ready()) {
    std::fprintf(stderr, "docs_pictures: %s\n", game.Failure().c_str());
    return 1;
  }
  // One move, so that the picture shows the board after the player's turn.
  const Square from = game.king();
  for (const char* key : {"3", "1", "2"}) {
    auto to = MoveByKey(from, key);
    if (to && !(*to == Square{1, 1})) {
      if (game.Move(key, *to)) game.WaitMessage(kCompTurn);
      break;
    }
  }
  bool ok = WritePpm(menu, menu_rows * 16, out + "/menu.ppm") &&
            WritePpm(WindowPicture(game.window()), kClientH, out + "/board.ppm");
  return ok ? 0 : 1;
}
