// The console hook table and the dispatch operations that read it at every call.
// Those that change what the program shows count as its activity for the pacing
// of empty key polls.
#include "console/console.h"
#include "console/key_poll_pacing.h"
#include "console/text_console.h"
#include "console/stdin_line.h"

ConsoleHooks g_console_hooks = {};

RtString* ReadKey() {
  return g_console_hooks.read_key ? g_console_hooks.read_key() : ConsoleReadKey();
}

int32_t WaitKey() {
  return g_console_hooks.wait_key ? g_console_hooks.wait_key() : ConsoleWaitKey();
}

int32_t KeyWaiting() {
  return g_console_hooks.key_waiting ? g_console_hooks.key_waiting() : ConsoleKeyWaiting();
}

void ClearScreen(int32_t mode) {
  NoteProgramActivity();
  if (g_console_hooks.clear) {
    g_console_hooks.clear(mode);
    return;
  }
  ConsoleClear(mode);
}

int32_t SetColor(int32_t foreground, int32_t background) {
  NoteProgramActivity();
  if (g_console_hooks.set_color) return g_console_hooks.set_color(foreground, background);
  return ConsoleSetColor(foreground, background);
}

int32_t Locate(int32_t row, int32_t column, int32_t visibility) {
  NoteProgramActivity();
  if (g_console_hooks.locate) return g_console_hooks.locate(row, column, visibility);
  return ConsoleLocate(row, column, visibility);
}

int32_t CursorColumn() {
  return g_console_hooks.cursor_column ? g_console_hooks.cursor_column() : ConsoleCursorColumn();
}

int32_t CursorRow() {
  return g_console_hooks.cursor_row ? g_console_hooks.cursor_row() : ConsoleCursorRow();
}

void CursorPosition(int32_t* column, int32_t* row) {
  if (g_console_hooks.cursor_position) {
    g_console_hooks.cursor_position(column, row);
    return;
  }
  ConsoleCursorPosition(column, row);
}

void TextSize(int32_t* columns, int32_t* rows) {
  if (g_console_hooks.text_size) {
    g_console_hooks.text_size(columns, rows);
    return;
  }
  ConsoleTextSize(columns, rows);
}

void WriteText(const char* bytes, int32_t length, int32_t print_mode) {
  NoteProgramActivity();
  if (g_console_hooks.write_text) {
    g_console_hooks.write_text(bytes, length, print_mode);
    return;
  }
  ConsoleWrite(bytes, length, print_mode);
}

char* ReadLine(char* buffer, int32_t size, FILE* stream) {
  if (stream != stdin) return std::fgets(buffer, size, stream);
  if (g_console_hooks.read_line) return g_console_hooks.read_line(buffer, size);
  return ConsoleReadLine(buffer, size);
}

char* ConsoleReadLine(char* buffer, int32_t size) { return ReadStandardInputLine(buffer, size); }
