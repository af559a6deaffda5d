// Console lines read directly: fgets' contract, CR LF folding, and Ctrl+Z as an
// end of input that answers only its own line.
#include <gtest/gtest.h>

#include <string>

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
