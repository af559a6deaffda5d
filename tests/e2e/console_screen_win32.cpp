// Reading a console snapshot: rows as text, code page 866 bytes, attributes.
#include <cstdio>

#include "console_session_win32.h"

namespace e2e {

namespace {

int Cp866Byte(wchar_t ch) {
  if (ch < 0x80) return ch;
  if (ch >= 0x0410 && ch <= 0x043F) return 0x80 + (ch - 0x0410);  // А..п
  if (ch >= 0x0440 && ch <= 0x044F) return 0xE0 + (ch - 0x0440);  // р..я
  if (ch == 0x0401) return 0xF0;                                   // Ё
  if (ch == 0x0451) return 0xF1;                                   // ё
  return '?';
}

}  // namespace

std::string ToCp866(std::wstring_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (wchar_t ch : text) bytes.push_back(static_cast<char>(Cp866Byte(ch)));
  return bytes;
}

std::wstring Screen::Row(int row) const {
  std::wstring text;
  for (int column = 0; column < width; ++column) text.push_back(At(row, column).Char.UnicodeChar);
  return text;
}

std::wstring Screen::RowTrimmed(int row) const {
  std::wstring text = Row(row);
  while (!text.empty() && text.back() == L' ') text.pop_back();
  return text;
}

std::string Screen::RowCp866(int row) const { return ToCp866(RowTrimmed(row)); }

std::vector<int> Screen::RowsStartingWith(std::wstring_view text) const {
  std::vector<int> rows;
  for (int row = 0; row < height; ++row) {
    if (Row(row).compare(0, text.size(), text) == 0) rows.push_back(row);
  }
  return rows;
}

int Screen::CountRowsStartingWith(std::wstring_view text) const {
  return static_cast<int>(RowsStartingWith(text).size());
}

bool Screen::Contains(std::wstring_view text) const {
  for (int row = 0; row < height; ++row) {
    if (Row(row).find(text) != std::wstring::npos) return true;
  }
  return false;
}

bool Screen::RowHasAttribute(int row, int length, WORD attr) const {
  for (int column = 0; column < length && column < width; ++column) {
    if (At(row, column).Attributes != attr) return false;
  }
  return true;
}

int Screen::LastUsedRow() const {
  for (int row = height - 1; row >= 0; --row) {
    if (!RowTrimmed(row).empty()) return row;
  }
  return -1;
}

std::string Screen::Dump() const {
  std::string text;
  char line[64];
  std::snprintf(line, sizeof line, "screen %dx%d, cursor row %d column %d\n", width, height,
                cursor.Y, cursor.X);
  text += line;
  const int last = LastUsedRow();
  for (int row = 0; row <= last; ++row) {
    std::snprintf(line, sizeof line, "%2d [attr %02x] |", row, At(row, 0).Attributes);
    text += line;
    for (wchar_t ch : RowTrimmed(row)) text.push_back(ch < 0x80 ? static_cast<char>(ch) : '#');
    text += "|\n";
  }
  return text;
}

}  // namespace e2e
