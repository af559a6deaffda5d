// Line editing for terminals that leave it to the program.
#include "console/line_edit.h"

namespace {

constexpr int kBackspace = 8;
constexpr int kEnter = 13;
constexpr int kEndOfInput = 26;
constexpr int kEscape = 27;

// Takes the last typed character back, on the screen too; false when none is left.
bool EraseLast(const LineEditIo& io, std::string* line) {
  if (line->empty()) return false;
  line->pop_back();
  io.echo(io.context, "\b \b", 3);
  return true;
}

// One typed line with its line feed; false at the end of input.
bool EditWholeLine(const LineEditIo& io, std::string* line) {
  for (;;) {
    const int ch = io.next(io.context);
    if (ch < 0 || (ch == kEndOfInput && line->empty())) return false;
    if (ch == kEnter) break;
    if (ch == kBackspace) {
      EraseLast(io, line);
    } else if (ch == kEscape) {
      while (EraseLast(io, line)) {
      }
    } else if (ch >= 0x20 && line->size() < kLongestEditedLine) {
      *line += static_cast<char>(ch);
      io.echo(io.context, &line->back(), 1);
    }
  }
  io.echo(io.context, "\r\n", 2);
  *line += '\n';
  return true;
}

}  // namespace

char* EditLine(LineEditor* editor, char* buffer, int32_t size) {
  if (size <= 0) return nullptr;
  if (editor->pending.empty() && !EditWholeLine(editor->io, &editor->pending)) {
    editor->pending.clear();
    return nullptr;
  }
  const size_t n = editor->pending.copy(buffer, static_cast<size_t>(size - 1));
  buffer[n] = 0;
  editor->pending.erase(0, n);
  return buffer;
}
