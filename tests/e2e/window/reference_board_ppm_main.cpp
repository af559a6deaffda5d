// Writes the board the game should show, drawn by the project's own graphics
// code, as a 640x480 binary PPM: the expected picture for tests that cannot
// link the drawing code themselves (the web page's, which run in Node).
//   reference_board_ppm COL ROW OUTPUT.ppm [MESSAGE...]
// COL and ROW are 1..8, (1, 1) the bottom-left square; the messages are
// printed at row 1, column 1 in order, each over the previous ones.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "reference_board.h"

namespace {

bool ParseCoordinate(const char* text, int* value) {
  char* end = nullptr;
  const long v = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || v < 1 || v > 8) return false;
  *value = static_cast<int>(v);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  e2e::Square king;
  if (argc < 4 || !ParseCoordinate(argv[1], &king.col) || !ParseCoordinate(argv[2], &king.row)) {
    std::fprintf(stderr, "usage: reference_board_ppm COL ROW OUTPUT.ppm [MESSAGE...]  (COL, ROW in 1..8)\n");
    return 2;
  }
  const std::vector<std::string> messages(argv + 4, argv + argc);
  if (!e2e::WritePpm(e2e::ReferenceBoard(king, messages), e2e::kClientH, argv[3])) {
    std::perror(argv[3]);
    return 1;
  }
  return 0;
}
