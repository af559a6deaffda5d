// The terminal's screen copy. Writing follows the console's processed output:
// CR, LF (which also returns), backspace, tab and bell are acted on, and a
// character in the last column moves the cursor to the next row at once when
// wrapping is on, scrolling the whole buffer at the bottom.
#include "console/terminal_screen.h"

#include <algorithm>

#include "console/cp866.h"

namespace {

// Console colour bits are blue 1, green 2, red 4; ANSI's are red 1, blue 4.
int AnsiColour(int console_colour) {
  return ((console_colour & 1) << 2) | (console_colour & 2) | ((console_colour & 4) >> 2);
}

TerminalCell& CellAt(TerminalScreen* s, int x, int y) {
  return s->cells[static_cast<size_t>(y) * static_cast<size_t>(s->width) + static_cast<size_t>(x)];
}

void MoveTerminalCursor(TerminalScreen* s, int x, int y) {
  if (s->terminal_x == x && s->terminal_y == y) return;
  s->output += "\x1b[" + std::to_string(y + 1) + ";" + std::to_string(x + 1) + "H";
  s->terminal_x = x;
  s->terminal_y = y;
}

// Sends one cell as it is in the copy.
void DrawCell(TerminalScreen* s, int x, int y) {
  const TerminalCell& cell = CellAt(s, x, y);
  MoveTerminalCursor(s, x, y);
  if (s->terminal_attribute != cell.attribute) {
    s->output += TerminalColourSequence(cell.attribute);
    s->terminal_attribute = cell.attribute;
  }
  char utf8[4];
  uint8_t ch = cell.ch < 32 || cell.ch == 127 ? ' ' : cell.ch;
  s->output.append(utf8, static_cast<size_t>(Cp866ToUtf8(ch, utf8)));
  // In the last column the terminal holds the cursor there until the next
  // character, which the console would not; where it is is not known.
  if (x + 1 < s->width) {
    s->terminal_x = x + 1;
  } else {
    s->terminal_x = -1;
  }
}

void DrawRows(TerminalScreen* s, int first, int last) {
  for (int y = std::max(first, 0); y <= std::min(last, s->height - 1); ++y) {
    for (int x = 0; x < s->width; ++x) DrawCell(s, x, y);
  }
}

bool Inside(const TerminalScreen* s, ConsoleCoord at) {
  return at.x >= 0 && at.y >= 0 && at.x < s->width && at.y < s->height;
}

uint32_t CellsFrom(const TerminalScreen* s, ConsoleCoord at, uint32_t count) {
  if (!Inside(s, at)) return 0;
  uint64_t left = static_cast<uint64_t>(s->width) * static_cast<uint64_t>(s->height) -
                  (static_cast<uint64_t>(at.y) * static_cast<uint64_t>(s->width) + at.x);
  return static_cast<uint32_t>(std::min<uint64_t>(count, left));
}

// Applies f to count cells from at, in reading order, and sends them.
template <typename F>
uint32_t ForCells(TerminalScreen* s, ConsoleCoord at, uint32_t count, F f) {
  uint32_t n = CellsFrom(s, at, count);
  int x = at.x, y = at.y;
  for (uint32_t i = 0; i < n; ++i) {
    f(CellAt(s, x, y));
    DrawCell(s, x, y);
    if (++x == s->width) {
      x = 0;
      ++y;
    }
  }
  return n;
}

void ScrollWholeBuffer(TerminalScreen* s) {
  std::move(s->cells.begin() + s->width, s->cells.end(), s->cells.begin());
  std::fill(s->cells.end() - s->width, s->cells.end(), TerminalCell{' ', s->attribute});
  DrawRows(s, 0, s->height - 1);
}

void LineFeed(TerminalScreen* s, bool draw) {
  s->cursor.x = 0;
  if (s->cursor.y + 1 < s->height) {
    ++s->cursor.y;
  } else if (draw) {
    ScrollWholeBuffer(s);
  } else {
    // The terminal scrolled itself; the copy follows without sending anything.
    std::move(s->cells.begin() + s->width, s->cells.end(), s->cells.begin());
    std::fill(s->cells.end() - s->width, s->cells.end(), TerminalCell{' ', s->attribute});
  }
}

void PutCharacter(TerminalScreen* s, uint8_t ch, bool draw) {
  TerminalCell& cell = CellAt(s, s->cursor.x, s->cursor.y);
  cell = TerminalCell{ch, s->attribute};
  if (draw) DrawCell(s, s->cursor.x, s->cursor.y);
  if (s->cursor.x + 1 < s->width) {
    ++s->cursor.x;
  } else if (s->mode & kConsoleWrapAtEol) {
    LineFeed(s, draw);
  }
}

void WriteByte(TerminalScreen* s, uint8_t b, bool draw) {
  switch (b) {
    case '\r': s->cursor.x = 0; break;
    case '\n': LineFeed(s, draw); break;
    case '\b': if (s->cursor.x > 0) --s->cursor.x; break;
    case '\a': if (draw) s->output += '\a'; break;
    case '\t':
      s->cursor.x = static_cast<int16_t>(std::min((s->cursor.x / 8 + 1) * 8, s->width - 1));
      break;
    default: PutCharacter(s, b, draw); break;
  }
}

}  // namespace

void TerminalScreenInit(TerminalScreen* screen, int width, int height) {
  *screen = TerminalScreen{};
  screen->width = std::max(width, 1);
  screen->height = std::max(height, 1);
  screen->cells.assign(static_cast<size_t>(screen->width) * static_cast<size_t>(screen->height),
                       TerminalCell{' ', 7});
}

std::string TerminalColourSequence(uint16_t attribute) {
  int fg = attribute & 15, bg = (attribute >> 4) & 15;
  int fg_code = (fg & 8 ? 90 : 30) + AnsiColour(fg & 7);
  int bg_code = (bg & 8 ? 100 : 40) + AnsiColour(bg & 7);
  return "\x1b[0;" + std::to_string(fg_code) + ";" + std::to_string(bg_code) + "m";
}

uint32_t TerminalFillAttribute(TerminalScreen* s, uint16_t attribute, uint32_t count, ConsoleCoord at) {
  return ForCells(s, at, count, [attribute](TerminalCell& c) { c.attribute = attribute; });
}

uint32_t TerminalFillCharacter(TerminalScreen* s, char ch, uint32_t count, ConsoleCoord at) {
  uint8_t byte = static_cast<uint8_t>(ch);
  return ForCells(s, at, count, [byte](TerminalCell& c) { c.ch = byte; });
}

bool TerminalSetCursorPosition(TerminalScreen* s, ConsoleCoord at) {
  if (!Inside(s, at)) return false;
  s->cursor = at;
  return true;
}

void TerminalSetCursorState(TerminalScreen* s, const ConsoleCursorState& state) {
  s->cursor_state = state;
  s->output += state.visible ? "\x1b[?25h" : "\x1b[?25l";
}

bool TerminalScroll(TerminalScreen* s, const ConsoleRect& rect, ConsoleCoord destination,
                    char fill_char, uint16_t fill_attribute) {
  int left = std::max<int>(rect.left, 0), top = std::max<int>(rect.top, 0);
  int right = std::min<int>(rect.right, s->width - 1), bottom = std::min<int>(rect.bottom, s->height - 1);
  if (left > right || top > bottom) return false;
  std::vector<TerminalCell> moved;
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      moved.push_back(CellAt(s, x, y));
      CellAt(s, x, y) = TerminalCell{static_cast<uint8_t>(fill_char), fill_attribute};
    }
  }
  size_t i = 0;
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x, ++i) {
      int to_x = destination.x + (x - left), to_y = destination.y + (y - top);
      if (to_x >= 0 && to_y >= 0 && to_x < s->width && to_y < s->height) CellAt(s, to_x, to_y) = moved[i];
    }
  }
  int last_row = std::max(bottom, destination.y + (bottom - top));
  DrawRows(s, std::min<int>(top, destination.y), last_row);
  return true;
}

void TerminalWrite(TerminalScreen* s, const uint8_t* bytes, uint32_t length) {
  for (uint32_t i = 0; i < length; ++i) WriteByte(s, bytes[i], true);
}

void TerminalEchoed(TerminalScreen* s, const uint8_t* bytes, uint32_t length) {
  for (uint32_t i = 0; i < length; ++i) WriteByte(s, bytes[i], false);
  s->terminal_x = -1;
  s->terminal_attribute = 0xFFFF;
}

void TerminalSyncCursor(TerminalScreen* s) { MoveTerminalCursor(s, s->cursor.x, s->cursor.y); }

void TerminalRedraw(TerminalScreen* s) {
  s->terminal_x = -1;
  s->terminal_attribute = 0xFFFF;
  DrawRows(s, 0, s->height - 1);
}
