// Temporary stand-in for the console services until they land.
#include <windows.h>
#include <conio.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "console/console.h"
#include "console/input.h"
#include "console/print.h"
#include "console/runtime.h"

static HANDLE g_out;
static bool g_end;
static char g_line[1024];

void RuntimeInit(int, char**) { g_out = GetStdHandle(STD_OUTPUT_HANDLE); }
void RuntimeEnd(int32_t code) { exit(code); }
RtString* ReadKey() {
  if (!_kbhit()) return RtSharedEmpty();
  int c = _getch();
  if (c == 0 || c == 224) { char b[2] = {(char)255, (char)_getch()}; return RtTempFromBytes(b, 2); }
  char b = (char)c;
  return RtTempFromBytes(&b, 1);
}
void ClearScreen(int32_t) {
  CONSOLE_SCREEN_BUFFER_INFO i; GetConsoleScreenBufferInfo(g_out, &i);
  DWORD n; COORD o{0, 0};
  FillConsoleOutputAttribute(g_out, i.wAttributes, i.dwSize.X * i.dwSize.Y, o, &n);
  FillConsoleOutputCharacterA(g_out, ' ', i.dwSize.X * i.dwSize.Y, o, &n);
}
int32_t SetColor(int32_t f, int32_t b) { SetConsoleTextAttribute(g_out, (WORD)(f + 16 * b)); return 0; }
int32_t Locate(int32_t r, int32_t c, int32_t) { SetConsoleCursorPosition(g_out, COORD{(SHORT)(c - 1), (SHORT)(r - 1)}); return 0; }
void PrintCString(int32_t, const char* t, int32_t m) {
  DWORD n; WriteFile(g_out, t, (DWORD)strlen(t), &n, nullptr);
  if (m & 1) WriteFile(g_out, "\n", 1, &n, nullptr);
}
int32_t InputBegin(RtString*, int32_t, int32_t) {
  g_end = fgets(g_line, sizeof g_line, stdin) == nullptr;
  return 0;
}
void InputInt(int32_t* d) { *d = g_end ? 0 : atoi(g_line); }
bool InputReachedEnd() { return g_end; }
