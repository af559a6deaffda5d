// Console lines read directly: fgets' contract, CR LF folding, and Ctrl+Z as an
// end of input that answers only its own line; lines edited by the program
// where the terminal leaves it that (the browser's).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "console/line_edit.h"
#include "console/stdin_line.h"

namespace {

struct Bytes {
  std::string data;
  size_t pos = 0;
  static int Next(void* context) {
    Bytes* b = static_cast<Bytes*>(context);
    return b->pos < b->data.size() ? static_cast<unsigned char>(b->data[b->pos++]) : -1;
  }
};

struct Reader {
  explicit Reader(std::string text) : bytes{std::move(text)} {}
  // The line read, or "<end>" for null.
  std::string Line(int32_t size = 64) {
    char buffer[64] = {};
    char* line = ReadCookedLine(&source, buffer, size);
    return line ? std::string(line) : "<end>";
  }
  Bytes bytes;
  CookedLineSource source = {Bytes::Next, &bytes, -1};
};

}  // namespace

TEST(ConsoleLine, FoldsCrLfAndKeepsTheLineFeed) {
  Reader r("12\r\n\r\nabc\r\n");
  EXPECT_EQ(r.Line(), "12\n");
  EXPECT_EQ(r.Line(), "\n");
  EXPECT_EQ(r.Line(), "abc\n");
  EXPECT_EQ(r.Line(), "<end>");
}

TEST(ConsoleLine, CtrlZEndsOnlyItsOwnLine) {
  Reader r("\x1A\r\n2\r\n");
  EXPECT_EQ(r.Line(), "<end>");
  EXPECT_EQ(r.Line(), "2\n");  // a later question is answered normally
  Reader inside("1\x1A" "2\r\n");
  EXPECT_EQ(inside.Line(), "1\x1A" "2\n");  // only a leading Ctrl+Z ends the input
}

TEST(ConsoleLine, LongLinesComeInPiecesWithoutLosingBytes) {
  Reader r("abcdef\r\n");
  EXPECT_EQ(r.Line(4), "abc");
  EXPECT_EQ(r.Line(4), "def");
  EXPECT_EQ(r.Line(4), "\n");
  Reader cr("ab\rcd\r\n");  // a lone CR read ahead at the buffer's end
  EXPECT_EQ(cr.Line(4), "ab\r");
  EXPECT_EQ(cr.Line(4), "cd\n");
}

TEST(ConsoleLine, TinyBuffers) {
  Reader r("x\r\n");
  EXPECT_EQ(r.Line(1), "");  // room for the terminator only, as fgets
  EXPECT_EQ(r.Line(0), "<end>");
  EXPECT_EQ(r.Line(-3), "<end>");
  EXPECT_EQ(r.bytes.pos, 0u);  // nothing was consumed by the three reads
}

namespace {

// Typed characters in, the lines and everything echoed out.
struct Editor {
  explicit Editor(std::string typed) : bytes{std::move(typed)} {}
  std::string Line(int32_t size = 64) {
    char buffer[64];
    std::memset(buffer, '#', sizeof buffer);
    char* line = EditLine(&editor, buffer, size);
    if (line && std::memchr(buffer, 0, static_cast<size_t>(size)) == nullptr) return "<overrun>";
    return line ? std::string(line) : "<end>";
  }
  static int Next(void* context) { return Bytes::Next(&static_cast<Editor*>(context)->bytes); }
  static void Echo(void* context, const char* text, uint32_t length) {
    static_cast<Editor*>(context)->echoed.append(text, length);
  }
  Bytes bytes;
  std::string echoed;
  LineEditor editor{LineEditIo{Next, Echo, this}, {}};
};

}  // namespace

TEST(ConsoleLine, EditedLineEchoesAndTakesBackspaceAndEscape) {
  Editor e("57\x1b" "43\b2\r");
  EXPECT_EQ(e.Line(), "42\n");
  EXPECT_EQ(e.echoed, "57\b \b\b \b43\b \b2\r\n");
  Editor none("\b\x1b\t\x01" "1\r");  // nothing to erase; other control characters ignored
  EXPECT_EQ(none.Line(), "1\n");
  EXPECT_EQ(none.echoed, "1\r\n");
}

TEST(ConsoleLine, EditedLineComesInPiecesThatFitTheBuffer) {
  Editor e("12345\r" "9\r");
  EXPECT_EQ(e.Line(4), "123");
  EXPECT_EQ(e.echoed, "12345\r\n");  // the whole line was typed and shown
  EXPECT_EQ(e.Line(1), "");
  EXPECT_EQ(e.Line(2), "4");
  EXPECT_EQ(e.Line(), "5\n");
  EXPECT_EQ(e.Line(), "9\n");
}

TEST(ConsoleLine, EditedLineEndsOnCtrlZAtItsStartOrWhenInputEnds) {
  Editor e("\x1a" "1\x1a" "2\r" "3");
  EXPECT_EQ(e.Line(), "<end>");
  EXPECT_EQ(e.Line(), "12\n");  // Ctrl+Z inside a line is an ordinary control character
  EXPECT_EQ(e.Line(), "<end>");  // input ended before Enter
}
