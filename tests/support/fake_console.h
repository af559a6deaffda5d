// A console of the tests' own behind the console seam: a grid of cells with
// attributes, a cursor, the wrap-at-end-of-line mode flag and buffer scrolling,
// so that the text console's output can be checked cell by cell.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "console/console_api.h"

class FakeConsole {
 public:
  // Installs itself in the seam (and resets the text console's colours, view and
  // column record); the destructor puts the previous seam back.
  FakeConsole(int width, int height, int largest_rows);
  ~FakeConsole();
  FakeConsole(const FakeConsole&) = delete;
  FakeConsole& operator=(const FakeConsole&) = delete;

  char Cell(int x, int y) const { return cells_[Index(x, y)]; }
  uint16_t Attribute(int x, int y) const { return attributes_[Index(x, y)]; }
  // The row's characters with trailing blanks removed.
  std::string Row(int y) const;
  void Put(int x, int y, const std::string& text);
  void FillAll(char ch, uint16_t attribute);

  int width = 0;
  int height = 0;
  int largest_rows = 0;
  int cursor_x = 0;  // zero-based
  int cursor_y = 0;
  uint32_t mode = 3;  // processed output and wrap at end of line
  uint16_t text_attribute = 7;
  ConsoleCursorState cursor = {25, true};

  // Faults to inject.
  bool buffer_info_fails = false;
  int writes_before_failure = -1;  // -1: writes never fail
  uint32_t max_bytes_per_write = 0xFFFFFFFFu;

  // What happened.
  std::string written;               // every byte written, in order
  std::vector<uint32_t> mode_log;    // every mode set
  int scroll_calls = 0;
  int buffer_scrolls = 0;            // rows the buffer scrolled by itself

 private:
  size_t Index(int x, int y) const { return static_cast<size_t>(y) * width + x; }
  void NewLine();
  void WriteByte(char ch);

  static bool GetBufferInfo(void*, ConsoleBufferInfo* info);
  static bool FillAttribute(void*, uint16_t attribute, uint32_t count, ConsoleCoord at, uint32_t* written);
  static bool FillCharacter(void*, char ch, uint32_t count, ConsoleCoord at, uint32_t* written);
  static bool SetTextAttribute(void*, uint16_t attribute);
  static bool SetCursorPosition(void*, ConsoleCoord at);
  static bool GetCursorState(void*, ConsoleCursorState* state);
  static bool SetCursorState(void*, const ConsoleCursorState* state);
  static bool GetMode(void*, uint32_t* mode);
  static bool SetMode(void*, uint32_t mode);
  static bool Scroll(void*, const ConsoleRect* rect, ConsoleCoord destination, char fill_char,
                     uint16_t fill_attribute);
  static ConsoleCoord LargestWindowSize(void*);
  static bool Write(void*, const void* bytes, uint32_t length, uint32_t* written);
  static void* StdHandle(int which);

  static FakeConsole* current_;
  ConsoleApi saved_;
  std::vector<char> cells_;
  std::vector<uint16_t> attributes_;
};
