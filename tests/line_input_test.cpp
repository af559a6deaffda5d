// The input statement: line reading in chunks, line ends, end of input, the
// field splitter's rules and the conversions of each field.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "console/input_internal.h"
#include "console/number_parse.h"
#include "console/runtime_internal.h"
#include "support/fake_console.h"
#include "support/fake_input.h"

namespace {

struct LineInput : ::testing::Test {
  FakeConsole console{80, 25, 24};

  // Reads one keyboard line the way the game does.
  void Begin(FakeLines& lines) {
    (void)lines;
    ASSERT_EQ(InputBegin(RtSharedEmpty(), 0, -1), kErrorNone);
  }
  std::string Line() const {
    const RtString* s = InputLineText();
    return std::string(s->data ? s->data : "", RtLength(s));
  }
  std::string StringField() {
    RtString s = {};
    InputString(&s, kVariableLength, 0);
    std::string out(s.data ? s.data : "", RtLength(&s));
    RtClear(&s);
    return out;
  }
  int32_t IntField() {
    int32_t v = -12345;
    EXPECT_EQ(InputInt(&v), kErrorNone);
    return v;
  }
};

TEST_F(LineInput, NumbersAreSplitAtCommasAndBlanks) {
  FakeLines lines("12, 34\n12 34\n5,6\n7\n");
  Begin(lines);
  EXPECT_EQ(IntField(), 12);
  EXPECT_EQ(IntField(), 34);
  Begin(lines);
  EXPECT_EQ(IntField(), 12);
  EXPECT_EQ(IntField(), 34);
  EXPECT_EQ(IntField(), 0);  // nothing left: an empty field
  Begin(lines);
  EXPECT_EQ(IntField(), 5);
  Begin(lines);  // the next line replaces the rest of the previous one
  EXPECT_EQ(IntField(), 7);
}

TEST_F(LineInput, EachConversionTakesItsOwnFieldLimitAndWidth) {
  FakeLines lines("1.9\n1.9\n123456789012345\n300,70000,-1,-123456\n-9223372036854775808,1e39,2.5\n");
  Begin(lines);
  EXPECT_EQ(IntField(), 1);
  Begin(lines);
  double d = 0;
  InputDouble(&d);
  EXPECT_DOUBLE_EQ(d, 1.9);
  Begin(lines);  // 11 digits taken (beyond 32 bits: the limit), the next field at the twelfth
  EXPECT_EQ(IntField(), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(IntField(), 2345);
  Begin(lines);
  uint8_t b = 0;
  int16_t h = 0;
  InputByte(&b);
  EXPECT_EQ(b, 300 & 0xFF);
  InputShort(&h);
  EXPECT_EQ(h, static_cast<int16_t>(70000 & 0xFFFF));
  InputByte(&b);
  EXPECT_EQ(b, 255);
  InputShort(&h);  // six characters: -12345, then 6
  EXPECT_EQ(h, -12345);
  EXPECT_EQ(IntField(), 6);
  Begin(lines);
  int64_t l = 0;
  float f = 0;
  InputLong(&l);
  EXPECT_EQ(l, std::numeric_limits<int64_t>::min());
  InputSingle(&f);
  EXPECT_TRUE(std::isinf(f));
  InputSingle(&f);
  EXPECT_EQ(f, 2.5f);
}

TEST_F(LineInput, QuotesGroupStringsAndVanishFromNumbers) {
  FakeLines lines("\"a, b\" , c d ,e\n\"12\"3,4\"5,\" 7\"\n  \"  x\"  y\n");
  Begin(lines);
  EXPECT_EQ(StringField(), "a, b");
  EXPECT_EQ(StringField(), "c d ");
  EXPECT_EQ(StringField(), "e");
  EXPECT_EQ(StringField(), "");
  Begin(lines);
  EXPECT_EQ(IntField(), 123);
  EXPECT_EQ(IntField(), 4);  // a quote inside a number is kept: 4"5
  EXPECT_EQ(IntField(), 7);
  Begin(lines);
  EXPECT_EQ(StringField(), "  x");  // blanks inside quotes count in string mode
  EXPECT_EQ(StringField(), "y");
}

TEST_F(LineInput, CarriageReturnsAndLineFeedsEndFields) {
  FakeLines lines("1\r2\r3\n\"de\"\rf\n");
  Begin(lines);
  EXPECT_EQ(Line(), "1\r2\r3");
  EXPECT_EQ(IntField(), 1);
  EXPECT_EQ(IntField(), 2);
  EXPECT_EQ(IntField(), 3);
  EXPECT_EQ(IntField(), 0);
  Begin(lines);
  EXPECT_EQ(StringField(), "de");
  EXPECT_EQ(StringField(), "f");

  // A file keeps its line ends inside the fields' reach: CR LF is one separator.
  FILE* stream = std::tmpfile();
  ASSERT_NE(stream, nullptr);
  std::fputs("1\r\n2\n\"ab\" \r\nc\r\n", stream);
  std::rewind(stream);
  g_file_table[9] = FileSlot{stream, 0, 0, 0};
  ASSERT_EQ(InputFromFile(9), kErrorNone);
  EXPECT_EQ(IntField(), 1);
  EXPECT_EQ(IntField(), 2);
  EXPECT_EQ(StringField(), "ab");
  EXPECT_EQ(StringField(), "c");
  EXPECT_EQ(StringField(), "");
  g_file_table[9] = FileSlot{};
  std::fclose(stream);
}

TEST_F(LineInput, StringFieldsStopAtTheirLimitAndLeaveTheRest) {
  FakeLines lines(std::string(1030, 'x') + "\n");
  Begin(lines);
  EXPECT_EQ(StringField(), std::string(1024, 'x'));
  EXPECT_EQ(StringField(), std::string(6, 'x'));
}

struct ChunkCase {
  size_t length;
  const char* ending;
  size_t reads;
};

TEST_F(LineInput, LongLinesAreReadInChunksAndJoined) {
  const ChunkCase cases[] = {
      {1022, "\n", 1}, {1023, "\n", 2}, {1024, "\n", 2}, {2046, "\n", 3},
      {2047, "\n", 3}, {1021, "\r\n", 1}, {3000, "\r\n", 3},
  };
  for (const ChunkCase& c : cases) {
    std::string text;
    for (size_t i = 0; i < c.length; ++i) text += static_cast<char>('a' + i % 26);
    FakeLines lines(text + c.ending + "next\n");
    Begin(lines);
    EXPECT_EQ(Line(), text) << c.length;
    EXPECT_EQ(lines.read_sizes.size(), c.reads) << c.length;
    for (int32_t size : lines.read_sizes) EXPECT_EQ(size, 1024);
    Begin(lines);
    EXPECT_EQ(Line(), "next") << c.length;
  }
  // A full chunk as the very last input: the end of input finishes the line.
  FakeLines last(std::string(1023, 'z'));
  Begin(last);
  EXPECT_EQ(Line(), std::string(1023, 'z'));
  EXPECT_FALSE(InputReachedEnd());
  EXPECT_EQ(last.read_sizes.size(), 2u);

  // A fixed-size destination takes every chunk before it is padded.
  FakeLines fixed_lines(std::string(1500, 'f') + "\n");
  std::string fixed(2000, '?');
  ASSERT_EQ(InputLine(0, nullptr, fixed.data(), 2000, 1, 0, -1), kErrorNone);
  EXPECT_EQ(fixed.substr(0, 1500), std::string(1500, 'f'));
  EXPECT_EQ(fixed.substr(1500, 499), std::string(499, ' '));
  EXPECT_EQ(fixed[1999], '\0');
}

TEST_F(LineInput, EndOfInputGivesAnEmptyLineAndIsReported) {
  {
    FakeLines lines("");
    Begin(lines);
    EXPECT_TRUE(InputReachedEnd());
    EXPECT_EQ(Line(), "");
    EXPECT_EQ(IntField(), 0);
  }
  FakeLines lines("\n9");
  Begin(lines);
  EXPECT_FALSE(InputReachedEnd());  // an empty line is not the end
  Begin(lines);
  EXPECT_FALSE(InputReachedEnd());  // a last line without its line end
  EXPECT_EQ(IntField(), 9);
  Begin(lines);
  EXPECT_TRUE(InputReachedEnd());
}

TEST_F(LineInput, PromptAndCursorPlacement) {
  int before = RtTempInUse();
  FakeLines lines("42\n42\n");
  lines.on_read = [&] {  // the console's echo of Enter leaves the cursor on the next row
    console.cursor_x = 0;
    console.cursor_y = 4;
  };
  console.cursor_y = 3;
  InputBegin(RtTempFromCString("Q"), -1, 0);
  EXPECT_EQ(console.written, "Q? ");
  EXPECT_EQ(RtTempInUse(), before);
  EXPECT_EQ(console.cursor_y, 3);  // back on the typing row, after the answer
  EXPECT_EQ(console.cursor_x, 5);
  InputBegin(RtSharedEmpty(), 0, -1);
  EXPECT_EQ(console.cursor_y, 4);
  EXPECT_EQ(console.cursor_x, 0);
}

TEST_F(LineInput, NumberedFilesAndFixedSizeDestinations) {
  EXPECT_EQ(InputFromFile(0), kErrorBadArgument);
  EXPECT_EQ(InputFromFile(4), kErrorBadArgument);
  EXPECT_EQ(LineInputFromFile(300, nullptr, 0, 0), kErrorBadArgument);
  FILE* stream = std::tmpfile();
  ASSERT_NE(stream, nullptr);
  std::fputs("5, \"x y\"\nab\nlonger line\n", stream);
  std::rewind(stream);
  g_file_table[4] = FileSlot{stream, 0, 0, 0};
  EXPECT_EQ(InputFromFile(4), kErrorNone);
  EXPECT_EQ(IntField(), 5);
  EXPECT_EQ(StringField(), "x y");
  char fixed[6];
  EXPECT_EQ(LineInputFromFile(4, fixed, sizeof fixed, 1), kErrorNone);
  EXPECT_STREQ(fixed, "     ");  // the rest of the first line, padded
  EXPECT_EQ(LineInputFromFile(4, fixed, sizeof fixed, 1), kErrorNone);
  EXPECT_STREQ(fixed, "ab   ");
  EXPECT_EQ(LineInputFromFile(4, fixed, sizeof fixed, 0), kErrorNone);
  EXPECT_STREQ(fixed, "longe");
  EXPECT_EQ(LineInputFromFile(4, fixed, sizeof fixed, 0), kErrorNone);
  EXPECT_STREQ(fixed, "");
  g_file_table[4] = FileSlot{};
  std::fclose(stream);
  FakeLines lines("1\n");
  Begin(lines);  // back to the keyboard line
  EXPECT_EQ(IntField(), 1);
  EXPECT_EQ(UnreadInputChar('1'), 1);
  EXPECT_EQ(ReadInputChar(), '1');
}

TEST(Conversions, IntegersReadLikeAtoiWithLimitsOnOverflow) {
  EXPECT_EQ(ParseInt32("  2abc"), 2);
  EXPECT_EQ(ParseInt32("1.9"), 1);
  EXPECT_EQ(ParseInt32("\t\n-17"), -17);
  EXPECT_EQ(ParseInt32("+5"), 5);
  EXPECT_EQ(ParseInt32(""), 0);
  EXPECT_EQ(ParseInt32("-"), 0);
  EXPECT_EQ(ParseInt32("abc"), 0);
  EXPECT_EQ(ParseInt32("- 5"), 0);
  EXPECT_EQ(ParseInt32("2147483647"), 2147483647);
  EXPECT_EQ(ParseInt32("2147483648"), 2147483647);
  EXPECT_EQ(ParseInt32("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ParseInt32("-99999999999"), -2147483647 - 1);
  EXPECT_EQ(ParseInt64("9223372036854775807"), std::numeric_limits<int64_t>::max());
  EXPECT_EQ(ParseInt64("9223372036854775808"), std::numeric_limits<int64_t>::max());
  EXPECT_EQ(ParseInt64("-9223372036854775809"), std::numeric_limits<int64_t>::min());
  EXPECT_EQ(ParseInt64("00000000000000000000000012"), 12);
}

TEST(Conversions, DecimalsReadLikeAtofWithoutLibraryExtensions) {
  EXPECT_DOUBLE_EQ(ParseDouble("1.9"), 1.9);
  EXPECT_DOUBLE_EQ(ParseDouble("  -2.5e2x"), -250.0);
  EXPECT_DOUBLE_EQ(ParseDouble(".5"), 0.5);
  EXPECT_DOUBLE_EQ(ParseDouble("5."), 5.0);
  EXPECT_DOUBLE_EQ(ParseDouble("1e"), 1.0);
  EXPECT_DOUBLE_EQ(ParseDouble("1e+"), 1.0);
  EXPECT_DOUBLE_EQ(ParseDouble("2E-1"), 0.2);
  EXPECT_EQ(ParseDouble("0x10"), 0.0);
  EXPECT_EQ(ParseDouble("inf"), 0.0);
  EXPECT_EQ(ParseDouble("nan"), 0.0);
  EXPECT_EQ(ParseDouble("."), 0.0);
  EXPECT_EQ(ParseDouble("e5"), 0.0);
  EXPECT_TRUE(std::isinf(ParseDouble("1e400")));
  std::string long_number = "1" + std::string(100, '0') + ".5";
  EXPECT_DOUBLE_EQ(ParseDouble(long_number.c_str()), 1e100);
}

}  // namespace
