// The console services' chief header: the hook table through which every console
// operation is dispatched, the key string, and the dispatch operations. An empty
// slot sends its operation to the text console; an open graphics screen fills all
// sixteen slots with its own implementations.
#pragma once
#include <cstdint>
#include <cstdio>

#include "console/rt_string.h"

// One key: empty (none waiting), one byte (an ordinary key), or 255 followed by
// the PC scan code (an extended key: Up is 255, 72).
using KeyString = RtString;

// Passed for an omitted mode argument.
constexpr int32_t kNoArgument = static_cast<int32_t>(0xFFFF0000u);

struct ConsoleHooks {
  RtString* (*read_key)();
  int32_t (*wait_key)();
  int32_t (*key_waiting)();
  void (*clear)(int32_t mode);
  int32_t (*set_color)(int32_t foreground, int32_t background);
  int32_t (*locate)(int32_t row, int32_t column, int32_t visibility);
  int32_t (*set_text_size)(int32_t columns, int32_t rows);
  int32_t (*cursor_column)();
  int32_t (*cursor_row)();
  void (*cursor_position)(int32_t* column, int32_t* row);
  void (*text_size)(int32_t* columns, int32_t* rows);
  void (*write_text)(const char* bytes, int32_t length, int32_t print_mode);
  char* (*read_line)(char* buffer, int32_t size);
  int32_t (*key_is_down)(int32_t scan_code);
  int32_t (*read_mouse)(int32_t* x, int32_t* y, int32_t* wheel, int32_t* buttons);
  int32_t (*set_mouse)(int32_t x, int32_t y, int32_t cursor);
};

// The one table; all slots empty at start. Only the screen mode switch writes it,
// always all sixteen slots at once.
extern ConsoleHooks g_console_hooks;

// Dispatch operations: the slot's operation when installed, else the text console.
RtString* ReadKey();
int32_t WaitKey();
int32_t KeyWaiting();
void ClearScreen(int32_t mode);
int32_t SetColor(int32_t foreground, int32_t background);
int32_t Locate(int32_t row, int32_t column, int32_t visibility);
int32_t CursorColumn();
int32_t CursorRow();
void CursorPosition(int32_t* column, int32_t* row);
void TextSize(int32_t* columns, int32_t* rows);
void WriteText(const char* bytes, int32_t length, int32_t print_mode);
// Streams other than standard input are read with fgets directly.
char* ReadLine(char* buffer, int32_t size, FILE* stream);
