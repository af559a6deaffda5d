// The one seam between the text console and the platform's console: a table of
// the console calls the runtime makes, with platform-neutral types. The Windows
// build fills it with the real console calls; tests put a fake console in it.
#pragma once
#include <cstdint>

struct ConsoleCoord {
  int16_t x;
  int16_t y;
};

struct ConsoleRect {
  int16_t left;
  int16_t top;
  int16_t right;  // inclusive
  int16_t bottom;  // inclusive
};

struct ConsoleBufferInfo {
  ConsoleCoord size;
  ConsoleCoord cursor;
  uint16_t attributes;
  ConsoleRect window;
  ConsoleCoord maximum_window;
};

struct ConsoleCursorState {
  uint32_t size;  // percent of the cell filled
  bool visible;
};

// Console mode flag: moving to the next row after the last column.
constexpr uint32_t kConsoleWrapAtEol = 2;

// Each call takes the console handle first, like the platform's. Calls report
// success as true.
struct ConsoleApi {
  void* (*std_handle)(int which);  // 0 = input, 1 = output
  bool (*get_buffer_info)(void* console, ConsoleBufferInfo* info);
  bool (*fill_attribute)(void* console, uint16_t attribute, uint32_t count, ConsoleCoord at,
                         uint32_t* written);
  bool (*fill_character)(void* console, char ch, uint32_t count, ConsoleCoord at, uint32_t* written);
  bool (*set_text_attribute)(void* console, uint16_t attribute);
  bool (*set_cursor_position)(void* console, ConsoleCoord at);
  bool (*get_cursor_info)(void* console, ConsoleCursorState* state);
  bool (*set_cursor_info)(void* console, const ConsoleCursorState* state);
  bool (*get_mode)(void* console, uint32_t* mode);
  bool (*set_mode)(void* console, uint32_t mode);
  // Moves the rectangle so that its top-left lands on destination, filling the
  // uncovered cells with fill_char in fill_attribute.
  bool (*scroll)(void* console, const ConsoleRect* rect, ConsoleCoord destination, char fill_char,
                 uint16_t fill_attribute);
  ConsoleCoord (*largest_window_size)(void* console);
  bool (*write)(void* console, const void* bytes, uint32_t length, uint32_t* written);
};

// Filled by the platform file; tests may replace it and restore it afterwards.
extern ConsoleApi g_console_api;
