// The tests' console: cells, cursor, wrap flag and scrolling as the Windows
// console keeps them for processed output.
#include "fake_console.h"

#include <algorithm>

#include "console/print_internal.h"
#include "console/text_console.h"

FakeConsole* FakeConsole::current_ = nullptr;

FakeConsole::FakeConsole(int w, int h, int largest)
    : width(w), height(h), largest_rows(largest), saved_(g_console_api),
      cells_(static_cast<size_t>(w) * h, ' '), attributes_(static_cast<size_t>(w) * h, 7) {
  current_ = this;
  g_console_api = ConsoleApi{
      .std_handle = StdHandle,
      .get_buffer_info = GetBufferInfo,
      .fill_attribute = FillAttribute,
      .fill_character = FillCharacter,
      .set_text_attribute = SetTextAttribute,
      .set_cursor_position = SetCursorPosition,
      .get_cursor_info = GetCursorState,
      .set_cursor_info = SetCursorState,
      .get_mode = GetMode,
      .set_mode = SetMode,
      .scroll = Scroll,
      .largest_window_size = LargestWindowSize,
      .write = Write,
  };
  ConsoleResetState();
  ForgetConsolePrintColumn();
}

FakeConsole::~FakeConsole() {
  g_console_api = saved_;
  current_ = nullptr;
  ConsoleResetState();
  ForgetConsolePrintColumn();
}

std::string FakeConsole::Row(int y) const {
  std::string row(cells_.begin() + Index(0, y), cells_.begin() + Index(0, y) + width);
  row.erase(row.find_last_not_of(' ') + 1);
  return row;
}

void FakeConsole::Put(int x, int y, const std::string& text) {
  for (size_t i = 0; i < text.size() && x + static_cast<int>(i) < width; ++i) {
    cells_[Index(x + static_cast<int>(i), y)] = text[i];
  }
}

void FakeConsole::FillAll(char ch, uint16_t attribute) {
  std::fill(cells_.begin(), cells_.end(), ch);
  std::fill(attributes_.begin(), attributes_.end(), attribute);
}

void FakeConsole::NewLine() {
  cursor_x = 0;
  if (cursor_y + 1 < height) {
    ++cursor_y;
    return;
  }
  // The last row of the buffer: everything moves up one row.
  std::copy(cells_.begin() + width, cells_.end(), cells_.begin());
  std::copy(attributes_.begin() + width, attributes_.end(), attributes_.begin());
  std::fill(cells_.end() - width, cells_.end(), ' ');
  std::fill(attributes_.end() - width, attributes_.end(), text_attribute);
  ++buffer_scrolls;
}

void FakeConsole::WriteByte(char ch) {
  if (ch == '\n') {
    NewLine();
    return;
  }
  if (ch == '\r') {
    cursor_x = 0;
    return;
  }
  cells_[Index(cursor_x, cursor_y)] = ch;
  attributes_[Index(cursor_x, cursor_y)] = text_attribute;
  if (cursor_x + 1 < width) {
    ++cursor_x;
  } else if (mode & kConsoleWrapAtEol) {
    NewLine();
  }
}

void* FakeConsole::StdHandle(int which) { return reinterpret_cast<void*>(static_cast<intptr_t>(which + 1)); }

bool FakeConsole::GetBufferInfo(void*, ConsoleBufferInfo* info) {
  FakeConsole& c = *current_;
  if (c.buffer_info_fails) return false;
  info->size = {static_cast<int16_t>(c.width), static_cast<int16_t>(c.height)};
  info->cursor = {static_cast<int16_t>(c.cursor_x), static_cast<int16_t>(c.cursor_y)};
  info->attributes = c.text_attribute;
  info->window = {0, 0, static_cast<int16_t>(c.width - 1), static_cast<int16_t>(c.largest_rows - 1)};
  info->maximum_window = {static_cast<int16_t>(c.width), static_cast<int16_t>(c.largest_rows)};
  return true;
}

bool FakeConsole::FillAttribute(void*, uint16_t attribute, uint32_t count, ConsoleCoord at,
                                uint32_t* written) {
  FakeConsole& c = *current_;
  size_t start = c.Index(at.x, at.y);
  size_t end = std::min(c.attributes_.size(), start + count);
  std::fill(c.attributes_.begin() + start, c.attributes_.begin() + end, attribute);
  *written = static_cast<uint32_t>(end - start);
  return true;
}

bool FakeConsole::FillCharacter(void*, char ch, uint32_t count, ConsoleCoord at, uint32_t* written) {
  FakeConsole& c = *current_;
  size_t start = c.Index(at.x, at.y);
  size_t end = std::min(c.cells_.size(), start + count);
  std::fill(c.cells_.begin() + start, c.cells_.begin() + end, ch);
  *written = static_cast<uint32_t>(end - start);
  return true;
}

bool FakeConsole::SetTextAttribute(void*, uint16_t attribute) {
  current_->text_attribute = attribute;
  return true;
}

bool FakeConsole::SetCursorPosition(void*, ConsoleCoord at) {
  FakeConsole& c = *current_;
  if (at.x < 0 || at.y < 0 || at.x >= c.width || at.y >= c.height) return false;
  c.cursor_x = at.x;
  c.cursor_y = at.y;
  return true;
}

bool FakeConsole::GetCursorState(void*, ConsoleCursorState* state) {
  *state = current_->cursor;
  return true;
}

bool FakeConsole::SetCursorState(void*, const ConsoleCursorState* state) {
  current_->cursor = *state;
  return true;
}

bool FakeConsole::GetMode(void*, uint32_t* mode) {
  *mode = current_->mode;
  return true;
}

bool FakeConsole::SetMode(void*, uint32_t mode) {
  current_->mode = mode;
  current_->mode_log.push_back(mode);
  return true;
}

bool FakeConsole::Scroll(void*, const ConsoleRect* rect, ConsoleCoord destination, char fill_char,
                         uint16_t fill_attribute) {
  FakeConsole& c = *current_;
  ++c.scroll_calls;
  int left = std::max<int>(rect->left, 0), right = std::min<int>(rect->right, c.width - 1);
  int top = std::max<int>(rect->top, 0), bottom = std::min<int>(rect->bottom, c.height - 1);
  if (left > right || top > bottom) return false;
  std::vector<char> cells = c.cells_;
  std::vector<uint16_t> attributes = c.attributes_;
  for (int y = top; y <= bottom; ++y) {  // the source rectangle is uncovered first
    for (int x = left; x <= right; ++x) {
      c.cells_[c.Index(x, y)] = fill_char;
      c.attributes_[c.Index(x, y)] = fill_attribute;
    }
  }
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      int dx = destination.x + (x - rect->left), dy = destination.y + (y - rect->top);
      if (dx < 0 || dy < 0 || dx >= c.width || dy >= c.height) continue;
      c.cells_[c.Index(dx, dy)] = cells[c.Index(x, y)];
      c.attributes_[c.Index(dx, dy)] = attributes[c.Index(x, y)];
    }
  }
  return true;
}

ConsoleCoord FakeConsole::LargestWindowSize(void*) {
  return {static_cast<int16_t>(current_->width), static_cast<int16_t>(current_->largest_rows)};
}

bool FakeConsole::Write(void*, const void* bytes, uint32_t length, uint32_t* written) {
  FakeConsole& c = *current_;
  if (c.writes_before_failure == 0) {
    *written = 0;
    return false;
  }
  if (c.writes_before_failure > 0) --c.writes_before_failure;
  uint32_t n = std::min(length, c.max_bytes_per_write);
  const char* text = static_cast<const char*>(bytes);
  for (uint32_t i = 0; i < n; ++i) c.WriteByte(text[i]);
  c.written.append(text, n);
  *written = n;
  return true;
}
